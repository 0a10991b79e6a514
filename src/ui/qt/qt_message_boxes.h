#pragma once
// Operator warnings and questions: the system beep, then a modal box.
#include "ui/app/dialogs.h"

class QWidget;

namespace mmx {

class QtMessageBoxes final : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    void alert(const std::string& text, const std::string& title) override;
    // Shown without blocking: the box stays until the operator closes it, the program goes on.
    void inform(const std::string& text, const std::string& title) override;
    QuestionAnswer ask(const std::string& text, const std::string& title, bool withCancel) override;

private:
    QWidget* parent_;
};

}  // namespace mmx
