#include "paint/PrintPainter.h"

#include "language/TextTable.h"
#include "model/ExportTarget.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <numeric>

namespace zendrik {

namespace {

// Column positions of a section across the printable width: every column
// at least as wide as its widest text, the room left over shared out as the
// list weighs its columns. Only when the texts do not fit the page together
// are the columns narrowed in proportion (and their texts cut short).
std::vector<int> columnEdges(const PrintBlock& block, int width, const QFontMetrics& plain,
                             const QFontMetrics& bold)
{
    std::vector<long long> weights;
    std::vector<long long> need;
    const int pad = plain.averageCharWidth();
    if (block.isList()) {
        for (const ListColumn& c : block.columns) {
            weights.push_back(std::max(c.width, 1));
            need.push_back(bold.horizontalAdvance(c.heading.trimmed()) + pad);
        }
    } else {
        weights = {2, 3}; // caption and value of the device properties
        need = {0, 0};
    }
    for (const QStringList& row : block.rows) {
        for (qsizetype i = 0; i < row.size() && i < static_cast<qsizetype>(need.size()); ++i)
            need[static_cast<std::size_t>(i)] =
                std::max<long long>(need[static_cast<std::size_t>(i)], plain.horizontalAdvance(row[i].trimmed()) + pad);
    }
    const long long needed = std::accumulate(need.begin(), need.end(), 0LL);
    const long long weight = std::accumulate(weights.begin(), weights.end(), 0LL);
    std::vector<int> edges{0};
    long long x = 0;
    for (std::size_t i = 0; i < need.size(); ++i) {
        if (needed <= width)
            x += need[i] + (width - needed) * weights[i] / weight;
        else
            x += need[i] * width / needed;
        edges.push_back(static_cast<int>(x));
    }
    return edges;
}

// One page after the other: the painter state of the layout.
class PageWriter {
public:
    PageWriter(QPainter& painter, QPagedPaintDevice& device, const TextTable& texts, int firstPage)
        : painter_(painter), device_(device), texts_(texts), page_(firstPage), first_(firstPage)
    {
        margin_ = PageMargin(device);
        width_ = device.width() - 2 * margin_;
        bottom_ = device.height() - margin_ - PageFooterHeight(device);
        y_ = margin_;
    }

    int pages() const { return page_ - first_ + 1; }
    bool fits(int height) const { return y_ + height <= bottom_; }
    int width() const { return width_; }

    void newPage()
    {
        footer();
        device_.newPage();
        ++page_;
        y_ = margin_;
    }

    void finish() { footer(); }

    void text(const QFont& font, const QString& text)
    {
        painter_.setFont(font);
        const QFontMetrics fm(font, &device_);
        painter_.drawText(QRect(margin_, y_, width_, fm.height()), Qt::AlignLeft | Qt::AlignVCenter,
                          fm.elidedText(text, Qt::ElideRight, width_));
        y_ += fm.height();
    }

    void cells(const QFont& font, const QStringList& cells, const std::vector<int>& edges, bool rule)
    {
        painter_.setFont(font);
        const QFontMetrics fm(font, &device_);
        const int pad = fm.averageCharWidth() / 2; // half the gap columnEdges leaves
        for (qsizetype i = 0; i < cells.size() && i + 1 < static_cast<qsizetype>(edges.size()); ++i) {
            const int x = margin_ + edges[static_cast<std::size_t>(i)] + pad;
            const int w = edges[static_cast<std::size_t>(i) + 1] - edges[static_cast<std::size_t>(i)] - 2 * pad;
            if (w <= 0)
                continue;
            painter_.drawText(QRect(x, y_, w, fm.height()), Qt::AlignLeft | Qt::AlignVCenter,
                              fm.elidedText(cells[i].trimmed(), Qt::ElideRight, w));
        }
        y_ += fm.height();
        if (rule) {
            painter_.drawLine(margin_, y_, margin_ + width_, y_);
            y_ += fm.height() / 4;
        }
    }

    void skip(int height) { y_ += height; }

private:
    void footer() { PaintPageFooter(painter_, device_, texts_, page_); }

    QPainter& painter_;
    QPagedPaintDevice& device_;
    const TextTable& texts_;
    int margin_ = 0;
    int width_ = 0;
    int bottom_ = 0;
    int y_ = 0;
    int page_ = 1;
    int first_ = 1;
};

QFont footerFont()
{
    return QFont(QStringLiteral("Sans Serif"), 8);
}

} // namespace

int PageMargin(const QPagedPaintDevice& device)
{
    return device.logicalDpiY() * 15 / 25; // 15 mm
}

int PageFooterHeight(const QPagedPaintDevice& device)
{
    return QFontMetrics(footerFont(), &device).height() * 2;
}

void PaintPageFooter(QPainter& painter, QPagedPaintDevice& device, const TextTable& texts, int page)
{
    const int margin = PageMargin(device);
    painter.setFont(footerFont());
    const QFontMetrics fm(footerFont(), &device);
    painter.drawText(QRect(margin, device.height() - margin - fm.height(), device.width() - 2 * margin, fm.height()),
                     Qt::AlignHCenter | Qt::AlignVCenter, texts(TextId::Page) + QString::number(page));
}

bool WritePdfFile(const QString& path, const QString& title,
                  const std::function<int(QPainter&, QPagedPaintDevice&)>& paint, QString* error, int* pages)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    int count = 0;
    {
        QPdfWriter pdf(&buffer);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setResolution(300);
        pdf.setTitle(title);
        pdf.setCreator(kAppTitel);
        QPainter painter(&pdf);
        count = paint(painter, pdf);
    }
    if (pages)
        *pages = count;
    return WriteExportFile(path, buffer.data(), error);
}

PrintPainter::PrintPainter(const PrintDocument& document, const TextTable& texts)
    : document_(document), texts_(texts)
{
}

int PrintPainter::paint(QPainter& painter, QPagedPaintDevice& device, int firstPage) const
{
    QFont titleFont(QStringLiteral("Sans Serif"), 12);
    titleFont.setBold(true);
    const QFont plain(QStringLiteral("Sans Serif"), 9);
    QFont headingFont = plain;
    headingFont.setBold(true);
    const int rowHeight = QFontMetrics(plain, &device).height();

    PageWriter out(painter, device, texts_, firstPage);
    std::vector<int> edges;
    QStringList headings;
    for (const PrintLine& line : PrintLines(document_)) {
        const PrintBlock& block = document_.blocks[static_cast<std::size_t>(line.block)];
        switch (line.kind) {
        case PrintLine::PageBreak:
            out.newPage();
            break;
        case PrintLine::SectionStart:
            edges = columnEdges(block, out.width(), QFontMetrics(plain, &device), QFontMetrics(headingFont, &device));
            headings.clear();
            for (const ListColumn& c : block.columns)
                headings << c.heading;
            out.text(titleFont, line.cells.value(0));
            break;
        case PrintLine::TitleLine:
            out.text(plain, line.cells.value(0));
            break;
        case PrintLine::Heading:
            out.skip(rowHeight / 2);
            out.cells(headingFont, line.cells, edges, true);
            break;
        case PrintLine::Row:
            // A full page goes on on the next one, under the headings again.
            if (!out.fits(rowHeight)) {
                out.newPage();
                if (block.isList())
                    out.cells(headingFont, headings, edges, true);
            }
            out.cells(plain, line.cells, edges, false);
            break;
        }
    }
    out.finish();
    return out.pages();
}

bool WritePrintPdf(const PrintDocument& document, const TextTable& texts, const QString& path, QString* error,
                   int* pages)
{
    const PrintPainter printout(document, texts);
    return WritePdfFile(
        path, document.title.fileName,
        [&](QPainter& painter, QPagedPaintDevice& device) { return printout.paint(painter, device); }, error, pages);
}

} // namespace zendrik
