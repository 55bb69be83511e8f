#include "transfer/chip/CardDatFile.h"

namespace zendrik {

QByteArray CardDatText(const Image& image)
{
    QByteArray out;
    out.reserve(static_cast<qsizetype>(image.size()) * 5 + 2048);
    std::size_t pos = 0;
    auto line = [&](std::size_t values) {
        for (std::size_t k = 0; k < values && pos < image.size(); ++k)
            out += ' ' + QByteArray::number(image[pos++]) + ' ';
        out += "\r\n";
    };
    line(4);
    for (int i = 0; i < 20 && pos < image.size(); ++i)
        line(5);
    while (pos < image.size())
        line(6);
    return out;
}

} // namespace zendrik
