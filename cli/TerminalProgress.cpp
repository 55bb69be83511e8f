#include "cli/TerminalProgress.h"

#include "language/TextTable.h"

namespace zendrik::cli {

namespace {

constexpr int kBarWidth = 30;

} // namespace

TerminalProgress::TerminalProgress(QTextStream& stream, const TextTable& texts, bool enabled)
    : stream_(stream), texts_(texts), enabled_(enabled)
{
}

void TerminalProgress::labelChanged(const Prompt& label)
{
    label_ = label.render(texts_);
    drawnPercent_ = -1;
    draw();
}

void TerminalProgress::progressChanged(int value, int maximum)
{
    value_ = value;
    maximum_ = std::max(maximum, 1);
    draw();
}

void TerminalProgress::transferEnded()
{
    if (enabled_ && drawn_)
        stream_ << '\n'
                << Qt::flush;
    drawn_ = false;
}

void TerminalProgress::draw()
{
    if (!enabled_)
        return;
    const int percent = std::clamp(100 * value_ / maximum_, 0, 100);
    if (percent == drawnPercent_)
        return;
    drawnPercent_ = percent;
    const int filled = kBarWidth * percent / 100;
    stream_ << '\r' << label_ << " [" << QString(filled, QLatin1Char('#')) << QString(kBarWidth - filled, QLatin1Char(' '))
            << "] " << qSetFieldWidth(3) << percent << qSetFieldWidth(0) << '%' << Qt::flush;
    drawn_ = true;
}

} // namespace zendrik::cli
