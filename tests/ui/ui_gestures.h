#pragma once
// What an operator does to the widgets (clicks, drags from the file manager), shared by the
// window tests and the picture program.
#include <QApplication>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <memory>
#include <string>
#include <vector>

namespace mmx::test {

inline QString q(const std::string& text) { return QString::fromStdString(text); }

inline void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

// Files as a file manager offers them in a drag.
inline std::unique_ptr<QMimeData> fileDrag(const std::vector<std::string>& paths) {
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const auto& path : paths) urls << QUrl::fromLocalFile(q(path));
    data->setUrls(urls);
    return data;
}

// Enters the target, moves to the point and (when drop) lets go; says whether the target took it.
inline bool drag(QWidget& target, const QMimeData& data, const QPoint& at, bool drop = true) {
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &move);
    if (!drop) return move.isAccepted();
    QDropEvent release(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&target, &release);
    return release.isAccepted();
}

}  // namespace mmx::test
