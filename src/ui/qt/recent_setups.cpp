#include "ui/qt/recent_setups.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <algorithm>

namespace mmx {

namespace {

QString q(const std::string& text) { return QString::fromStdString(text); }

bool present(const std::string& path) { return QFileInfo(q(path)).isFile(); }

}  // namespace

RecentSetups::RecentSetups(QMenu& fileMenu, WindowState& state, MessageBoxes& boxes,
                           std::function<void(const std::string&)> open, QObject* parent)
    : QObject(parent), state_(state), boxes_(boxes), open_(std::move(open)) {
    menu_ = new QMenu(&fileMenu);
    menu_->setObjectName(QStringLiteral("Recent"));
    // Before the separator above Exit: with the other commands on set-up files.
    const QList<QAction*> items = fileMenu.actions();
    QAction* before = nullptr;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (items[i]->objectName() != QLatin1String("Exit")) continue;
        before = i > 0 && items[i - 1]->isSeparator() ? items[i - 1] : items[i];
    }
    fileMenu.insertMenu(before, menu_);
    connect(menu_, &QMenu::aboutToShow, this, &RecentSetups::rebuild);
    applyTexts();
    rebuild();
}

void RecentSetups::applyTexts() {
    menu_->setTitle(tr("Recent set-ups"));
    menu_->menuAction()->setToolTip(tr("The set-up files last opened or saved"));
    rebuild();
}

void RecentSetups::note(const std::string& path) {
    auto& list = state_.settings.recentSetups;
    std::erase(list, path);
    list.insert(list.begin(), path);
    if (list.size() > kRecentSetups) list.resize(kRecentSetups);
    rebuild();
}

void RecentSetups::rebuild() {
    menu_->clear();
    const auto& list = state_.settings.recentSetups;
    int number = 0;
    for (const std::string& path : list) {
        ++number;
        const QString name = QFileInfo(q(path)).fileName().replace('&', QStringLiteral("&&"));
        const bool there = present(path);
        QAction* item = menu_->addAction(QStringLiteral("&%1  %2").arg(number).arg(there ? name : tr("%1 (missing)").arg(name)));
        item->setObjectName(QStringLiteral("Recent%1").arg(number));
        item->setToolTip(there ? q(path) : tr("%1 is no longer there; choose it to take it off the list").arg(q(path)));
        item->setStatusTip(item->toolTip());
        item->setData(q(path));
        connect(item, &QAction::triggered, this, [this, path] { choose(path); });
    }
    if (list.empty()) {
        QAction* none = menu_->addAction(tr("No set-ups yet"));
        none->setEnabled(false);
        return;
    }
    menu_->addSeparator();
    QAction* clear = menu_->addAction(tr("Clear the list"));
    clear->setObjectName(QStringLiteral("RecentClear"));
    connect(clear, &QAction::triggered, this, [this] {
        state_.settings.recentSetups.clear();
        rebuild();
    });
}

void RecentSetups::choose(const std::string& path) {
    if (present(path)) {
        open_(path);
        return;
    }
    const std::string question =
        tr("The set-up %1 is no longer there. Take it off the list?").arg(q(path)).toStdString();
    if (boxes_.ask(question, WindowState::kEditorCaption, false) != QuestionAnswer::Yes) return;
    std::erase(state_.settings.recentSetups, path);
    rebuild();
}

}  // namespace mmx
