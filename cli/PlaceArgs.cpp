#include "cli/PlaceArgs.h"

#include "cli/CliContext.h"

#include "calendar/AstroTexts.h"

#include <QDir>

namespace zendrik::cli {

QString PlaceFilePath(const CliContext& ctx)
{
    return QDir(ctx.workDir).filePath(ctx.texts(TextId::PlaceFileName));
}

std::optional<PlaceList> ReadPlaces(CliContext& ctx)
{
    PlaceList places;
    const QString path = PlaceFilePath(ctx);
    const PlaceFileResult r = places.read(path);
    if (r != PlaceFileResult::Ok && r != PlaceFileResult::Missing) {
        ctx.err << PlaceFileMessage(r, path, QString(), ctx.texts) << Qt::endl;
        return std::nullopt;
    }
    if (const QString notes = PlaceReadNotes(places, path, ctx.texts); !notes.isEmpty())
        ctx.err << notes << Qt::endl;
    return places;
}

} // namespace zendrik::cli
