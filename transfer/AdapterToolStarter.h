#pragma once

#include <QString>
#include <QtGlobal>

namespace zendrik {

// Starts an external tool (the parallel-port adapter tool, the infrared
// tool) without waiting for it. The
// command line is split like a shell does (quotes keep blanks); a program
// named without a path is taken from `workDir` when it is there, else from
// the search path. Returns false with the reason when it cannot be started.
bool StartAdapterTool(const QString& commandLine, const QString& workDir, QString* error);

// The result files the tools leave are short; a longer one is refused unread.
inline constexpr qint64 kMaxResultFileSize = 64 * 1024;

} // namespace zendrik
