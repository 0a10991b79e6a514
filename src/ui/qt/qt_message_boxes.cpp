#include "ui/qt/qt_message_boxes.h"

#include <QApplication>
#include <QMessageBox>

namespace mmx {

void QtMessageBoxes::alert(const std::string& text, const std::string& title) {
    QApplication::beep();
    QMessageBox box(QMessageBox::Warning, QString::fromStdString(title), QString::fromStdString(text),
                    QMessageBox::Ok, parent_);
    box.exec();
}

void QtMessageBoxes::inform(const std::string& text, const std::string& title) {
    auto* box = new QMessageBox(QMessageBox::Information, QString::fromStdString(title), QString::fromStdString(text),
                                QMessageBox::Ok, parent_);
    box->setObjectName(QStringLiteral("notice"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
}

QuestionAnswer QtMessageBoxes::ask(const std::string& text, const std::string& title, bool withCancel) {
    QApplication::beep();
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel) buttons |= QMessageBox::Cancel;
    QMessageBox box(QMessageBox::Question, QString::fromStdString(title), QString::fromStdString(text), buttons,
                    parent_);
    box.setDefaultButton(QMessageBox::Yes);
    if (withCancel) box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
        case QMessageBox::Yes: return QuestionAnswer::Yes;
        case QMessageBox::No: return QuestionAnswer::No;
        default: return withCancel ? QuestionAnswer::Cancel : QuestionAnswer::No;
    }
}

}  // namespace mmx
