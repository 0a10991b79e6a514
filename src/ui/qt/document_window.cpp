#include "ui/qt/document_window.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QProcess>
#include <QVBoxLayout>

#include "ui/app/table_cells.h"
#include "ui/app/window_state.h"

namespace mmx {

namespace {
QString q(const std::string& text) { return QString::fromStdString(text); }
}  // namespace

DocumentWindowViewer::DocumentWindowViewer(MessageBoxes& boxes, std::string program, QObject* parent)
    : QObject(parent), boxes_(boxes), program_(std::move(program)) {}

bool DocumentWindowViewer::show(const std::string& path) {
    if (!QFileInfo(q(path)).isFile()) {
        boxes_.alert(tr("The document %1 cannot be found.").arg(q(path)).toStdString(), WindowState::kEditorCaption);
        Q_EMIT handled(q(path), false);
        return true;
    }
    auto* opener = new QProcess(this);
    opener->setProgram(q(program_));
    QStringList arguments;
    for (const auto& argument : DesktopDocumentViewer::argumentsFor(path)) arguments << q(argument);
    opener->setArguments(arguments);
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    // The opener hands the file to the desktop's viewer and ends; its exit code says whether
    // anything could open it.
    connect(opener, &QProcess::finished, this, [this, opener, path](int exitCode, QProcess::ExitStatus status) {
        opener->deleteLater();
        const bool shown = status == QProcess::NormalExit && exitCode == 0;
        if (!shown) showOwnWindow(path);
        Q_EMIT handled(q(path), shown);
    });
    connect(opener, &QProcess::errorOccurred, this, [this, opener, path](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return;
        opener->deleteLater();
        showOwnWindow(path);
        Q_EMIT handled(q(path), false);
    });
    opener->start();
    return true;
}

void DocumentWindowViewer::showOwnWindow(const std::string& path) {
    QFile file(q(path));
    if (!file.open(QIODevice::ReadOnly)) {
        boxes_.alert(tr("The document %1 cannot be read.").arg(q(path)).toStdString(), WindowState::kEditorCaption);
        return;
    }
    const QByteArray bytes = file.readAll();
    auto* window = new QDialog(windowParent_);
    window->setObjectName(QStringLiteral("DocumentWindow"));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QFileInfo(q(path)).fileName());
    auto* layout = new QVBoxLayout(window);
    auto* text = new QPlainTextEdit(window);
    text->setObjectName(QStringLiteral("DocumentText"));
    text->setReadOnly(true);
    // The help texts are UTF-8; a printout in an 8-bit code page still shows its Latin text.
    const QString decoded = QString::fromUtf8(bytes);
    text->setPlainText(decoded.contains(QChar::ReplacementCharacter) ? QString::fromLatin1(bytes) : decoded);
    text->setAccessibleName(QFileInfo(q(path)).fileName());
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, window);
    connect(buttons, &QDialogButtonBox::rejected, window, &QDialog::close);
    layout->addWidget(buttons);
    window->resize(640, 480);
    window->show();
    window_ = window;
}

}  // namespace mmx
