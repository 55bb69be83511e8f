#pragma once

#include <QCoreApplication>

#include <memory>

namespace zendrik {

// The application object of a command-line program. Commands that paint
// (PNG, PDF) need a QGuiApplication for fonts and images; without a display
// they render on the offscreen platform. Every other command keeps the
// lighter QCoreApplication.
std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char** argv, bool paints);

} // namespace zendrik
