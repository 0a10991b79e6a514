#pragma once
// The editor's file dialogs as Qt file dialogs.
#include <QString>
#include <QStringList>

#include "ui/app/dialogs.h"

class QWidget;

namespace mmx {

class QtFileDialog final : public FileDialog {
public:
    explicit QtFileDialog(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    std::optional<std::string> show(const FileDialogRequest& request) override;

    // "All Files (*.*)|*.*|Wave Files (*.wav)|*.wav" as Qt name filters:
    // {"All Files (*)", "Wave Files (*.wav)"}. "*.*" becomes "*" so names without a dot show.
    static QStringList nameFilters(const std::string& filter);

private:
    QWidget* parent_;
};

}  // namespace mmx
