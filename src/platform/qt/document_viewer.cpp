#include "platform/qt/document_viewer.h"

#include <QProcess>
#include <QStringList>

namespace mmx {

bool DesktopDocumentViewer::show(const std::string& path) {
    QStringList arguments;
    for (const auto& argument : argumentsFor(path)) arguments << QString::fromStdString(argument);
    // Detached: the program does not wait for the viewer, and the viewer outlives us.
    return QProcess::startDetached(QString::fromStdString(program_), arguments);
}

}  // namespace mmx
