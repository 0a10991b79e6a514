#include "ui/qt/qt_file_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace mmx {

QStringList QtFileDialog::nameFilters(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString label = parts[i].trimmed();
        // The label's own "(...)" would be read by Qt as the pattern list; the pattern part
        // of the pair is what counts, so the label is rebuilt around it.
        const qsizetype open = label.lastIndexOf('(');
        if (open > 0) label = label.left(open).trimmed();
        QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
        for (auto& pattern : patterns) {
            pattern = pattern.trimmed();
            if (pattern == "*.*") pattern = "*";
        }
        result << QStringLiteral("%1 (%2)").arg(label, patterns.join(' '));
    }
    return result;
}

std::optional<std::string> QtFileDialog::show(const FileDialogRequest& request) {
    QFileDialog dialog(parent_);
    const bool saving = request.mode == FileDialogRequest::Mode::Save;
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = nameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const qsizetype chosen = std::clamp<qsizetype>(request.filterIndex - 1, 0, filters.size() - 1);
        dialog.selectNameFilter(filters[chosen]);
    }
    QString folder = QString::fromStdString(request.initialFolder);
    // No folder of this kind of file yet: the user's home, not wherever the program runs.
    if (folder.isEmpty()) folder = QDir::homePath();
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) dialog.setDirectory(folder);
    if (!request.fileName.empty()) dialog.selectFile(QString::fromStdString(request.fileName));

    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty()) return std::nullopt;
    return chosen.first().toStdString();
}

}  // namespace mmx
