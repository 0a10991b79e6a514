#pragma once
// Documents (the help texts, the printout) shown by the desktop's viewer, or, when the system
// cannot open them, in a window of our own, so that F1 never does nothing visible.
#include <QDialog>
#include <QObject>
#include <QPointer>
#include <string>

#include "platform/qt/document_viewer.h"
#include "ui/app/dialogs.h"


class QWidget;

namespace mmx {

class DocumentWindowViewer final : public QObject, public DocumentViewer {
    Q_OBJECT
public:
    // program: the desktop's opener, given the path as its one argument.
    DocumentWindowViewer(MessageBoxes& boxes, std::string program = "xdg-open", QObject* parent = nullptr);

    // The window's parent (the frame window).
    void setWindowParent(QWidget* parent) { windowParent_ = parent; }
    // Starts the opener; when it cannot start or reports failure the document shows in our
    // window. A missing document is said so. Always true: the document is taken care of.
    bool show(const std::string& path) override;
    // The last window of our own (nothing when the opener did its job).
    QDialog* window() const { return window_; }

Q_SIGNALS:
    // The opener is done with path: shown by the desktop (true) or by our window (false).
    void handled(const QString& path, bool byDesktop);

private:
    void showOwnWindow(const std::string& path);

    MessageBoxes& boxes_;
    std::string program_;
    QWidget* windowParent_ = nullptr;
    QPointer<QDialog> window_;
};

}  // namespace mmx
