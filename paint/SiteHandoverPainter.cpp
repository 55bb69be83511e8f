#include "paint/SiteHandoverPainter.h"

#include "language/TextTable.h"
#include "paint/HandoverPainter.h"
#include "paint/PrintPainter.h"

#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <array>

namespace zendrik {

namespace {

QFont coverFont(int points, bool bold = false)
{
    QFont f(QStringLiteral("Sans Serif"), points);
    f.setBold(bold);
    return f;
}

// Shares of the page width of the device table's columns: name, location,
// type, address, last transfer, result.
constexpr std::array<int, 6> kColumnShares{17, 14, 18, 16, 17, 18};

class CoverTable {
public:
    CoverTable(QPainter& painter, QPagedPaintDevice& device)
        : painter_(painter), device_(device), plain_(coverFont(8)), bold_(coverFont(8, true)), margin_(PageMargin(device)),
          width_(device.width() - 2 * margin_)
    {
        int x = margin_;
        for (std::size_t c = 0; c < kColumnShares.size(); ++c) {
            left_[c] = x;
            x += width_ * kColumnShares[c] / 100;
        }
    }

    // The height a row takes: a cell too long for its column goes on in a
    // further line rather than being cut short.
    int height(const QStringList& cells, bool heading) const
    {
        const QFontMetrics fm(heading ? bold_ : plain_, &device_);
        int lines = fm.height();
        for (std::size_t c = 0; c < kColumnShares.size(); ++c)
            lines = std::max(lines, fm.boundingRect(cell(c, 0), Qt::AlignLeft | Qt::TextWordWrap,
                                                    cells.value(static_cast<qsizetype>(c))).height());
        return lines + fm.height() / 3;
    }

    // Paints a row at `y`; returns its height.
    int row(int y, const QStringList& cells, bool heading)
    {
        const int h = height(cells, heading);
        painter_.setFont(heading ? bold_ : plain_);
        for (std::size_t c = 0; c < kColumnShares.size(); ++c)
            painter_.drawText(cell(c, y).adjusted(0, 0, 0, h), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                              cells.value(static_cast<qsizetype>(c)));
        painter_.setPen(QPen(heading ? Qt::black : Qt::gray, 0));
        painter_.drawLine(margin_, y + h, margin_ + width_, y + h);
        painter_.setPen(QPen(Qt::black, 0));
        return h;
    }

private:
    // The room of column `c` from `y` on (without height), inside a small padding.
    QRect cell(std::size_t c, int y) const
    {
        const int pad = QFontMetrics(plain_, &device_).averageCharWidth() / 2;
        const int right = c + 1 < kColumnShares.size() ? left_[c + 1] : margin_ + width_;
        return QRect(left_[c] + pad, y + pad / 2, right - left_[c] - 2 * pad, 0);
    }

    QPainter& painter_;
    QPagedPaintDevice& device_;
    QFont plain_;
    QFont bold_;
    int margin_;
    int width_;
    std::array<int, 6> left_{};
};

// A line of text at `y`, moving it on.
void coverLine(QPainter& painter, const QPagedPaintDevice& device, int& y, const QFont& f, const QString& text)
{
    const int margin = PageMargin(device);
    const QFontMetrics fm(f, &device);
    const int width = device.width() - 2 * margin;
    painter.setFont(f);
    painter.drawText(QRect(margin, y, width, fm.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     fm.elidedText(text, Qt::ElideRight, width));
    y += fm.height();
}

} // namespace

int PaintSiteHandoverCover(const SiteHandoverDocument& document, const TextTable& texts, QPainter& painter,
                           QPagedPaintDevice& device, int firstPage)
{
    const int margin = PageMargin(device);
    const int bottom = device.height() - margin - PageFooterHeight(device);
    const int space = QFontMetrics(coverFont(10), &device).height();
    CoverTable table(painter, device);
    int page = firstPage;
    int y = margin;
    coverLine(painter, device, y, coverFont(18, true), document.heading);
    y += space;
    coverLine(painter, device, y, coverFont(12, true), document.siteName);
    if (!document.siteAddress.isEmpty())
        coverLine(painter, device, y, coverFont(10), document.siteAddress);
    y += space;
    y += table.row(y, document.columns, true);
    for (const QStringList& cells : document.rows) {
        // A full page goes on on the next one, under the column captions again.
        if (y + table.height(cells, false) > bottom) {
            PaintPageFooter(painter, device, texts, page);
            device.newPage();
            ++page;
            y = margin;
            y += table.row(y, document.columns, true);
        }
        y += table.row(y, cells, false);
    }
    // The signatures need the foot of a page the table leaves free.
    if (y + space > device.height() - margin - SignatureBlockHeight(device)) {
        PaintPageFooter(painter, device, texts, page);
        device.newPage();
        ++page;
    }
    PaintSignatureBlock(painter, device, document.signatureNote, document.signatures, document.placeAndDate);
    PaintPageFooter(painter, device, texts, page);
    return page - firstPage + 1;
}

int PaintSiteHandover(const SiteHandoverDocument& document, const TextTable& texts, QPainter& painter,
                      QPagedPaintDevice& device, const std::function<void(int, int)>& progress)
{
    int pages = PaintSiteHandoverCover(document, texts, painter, device);
    const int count = static_cast<int>(document.devices.size());
    for (int i = 0; i < count; ++i) {
        device.newPage();
        pages += PaintHandover(document.devices[static_cast<std::size_t>(i)], texts, painter, device, pages + 1);
        if (progress)
            progress(i + 1, count);
    }
    return pages;
}

bool WriteSiteHandoverPdf(const SiteHandoverDocument& document, const TextTable& texts, const QString& path,
                          QString* error, const std::function<void(int, int)>& progress, int* pages)
{
    return WritePdfFile(
        path, document.heading + QStringLiteral(" ") + document.siteName,
        [&](QPainter& painter, QPagedPaintDevice& device) { return PaintSiteHandover(document, texts, painter, device, progress); },
        error, pages);
}

} // namespace zendrik
