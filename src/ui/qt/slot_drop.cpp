#include "ui/qt/slot_drop.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

#include "ui/qt/editor_window.h"
#include "ui/qt/unit_audio_offer.h"

namespace mmx {

namespace {

// A see-through marker over the row (or window) that takes the drop.
class DropHighlight final : public QWidget {
public:
    explicit DropHighlight(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("DropHighlight"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QColor fill = palette().color(QPalette::Highlight);
        painter.setPen(QPen(fill, 2));
        fill.setAlpha(60);
        painter.setBrush(fill);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 4, 4);
    }
};

bool isSetupFile(const QString& path) { return path.endsWith(QStringLiteral(".cfg"), Qt::CaseInsensitive); }

}  // namespace

SlotDrop::SlotDrop(EditorWindow& editor, const WindowState& state, std::function<void(const std::string&)> openSetup)
    : QObject(&editor), editor_(editor), state_(state), openSetup_(std::move(openSetup)) {
    editor_.setAcceptDrops(true);
    // The name fields would take a dropped file as text: the window takes it instead.
    for (int k = 1; k <= kSlotCount; ++k) editor_.nameField(k)->setAcceptDrops(false);
    editor_.installEventFilter(this);
    highlight_ = new DropHighlight(&editor_);
    connect(&editor_.audioOffer(), &UnitAudioOffer::slotConverted, this, &SlotDrop::fillNext, Qt::QueuedConnection);
}

int SlotDrop::slotAt(const QPoint& pos) const {
    const QWidget* frame = editor_.nameField(1)->parentWidget();
    const QRect frameArea(frame->mapTo(&editor_, QPoint(0, 0)), frame->size());
    if (!frameArea.contains(pos)) return 0;
    for (int k = 1; k <= kSlotCount; ++k) {
        const QLineEdit* name = editor_.nameField(k);
        const int top = name->mapTo(&editor_, QPoint(0, 0)).y() - 2;
        if (pos.y() >= top && pos.y() <= top + name->height() + 3) return k;
    }
    return 0;
}

SlotDrop::Target SlotDrop::targetFor(const QMimeData& data, const QPoint& pos) const {
    Target target;
    for (const QUrl& url : data.urls()) {
        if (!url.isLocalFile()) continue;
        const QString path = url.toLocalFile();
        if (isSetupFile(path)) {
            if (target.setupFile.empty()) target.setupFile = path.toStdString();
        } else {
            target.files.push_back(path.toStdString());
        }
    }
    // A set-up file wins: it replaces whatever the sound files would have gone into.
    if (!target.setupFile.empty()) {
        target.files.clear();
        return target;
    }
    if (target.files.empty()) return target;
    int slot = slotAt(pos);
    if (slot == 0) return target;
    // Slots fill without gaps: a drop below the last filled slot goes to the first empty one.
    int firstEmpty = 1;
    while (firstEmpty <= kSlotCount && state_.setup.slot(firstEmpty).filled()) ++firstEmpty;
    target.slot = std::min(slot, firstEmpty);
    if (target.slot > kSlotCount) target.slot = 0;
    return target;
}

bool SlotDrop::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &editor_) return false;
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
            return dragOver(static_cast<QDropEvent*>(event));
        case QEvent::DragLeave:
            highlight_->hide();
            return true;
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            highlight_->hide();
            const Target target = targetFor(*drop->mimeData(), drop->position().toPoint());
            if (target.setupFile.empty() && target.slot == 0) {
                drop->ignore();
                return true;
            }
            drop->acceptProposedAction();
            if (!target.setupFile.empty())
                openSetup_(target.setupFile);
            else
                fill(target.slot, target.files);
            return true;
        }
        default:
            return false;
    }
}

bool SlotDrop::dragOver(QDropEvent* event) {
    const Target target = targetFor(*event->mimeData(), event->position().toPoint());
    const bool takes = !target.setupFile.empty() || target.slot != 0;
    // A drag that enters with files is taken, so that moving on to a slot is seen.
    if (takes || (event->type() == QEvent::DragEnter && event->mimeData()->hasUrls()))
        event->acceptProposedAction();
    else
        event->ignore();
    showHighlight(target);
    return true;
}

void SlotDrop::showHighlight(const Target& target) {
    QRect area;
    if (!target.setupFile.empty()) {
        area = editor_.rect();
    } else if (target.slot != 0) {
        const QWidget* frame = editor_.nameField(1)->parentWidget();
        const int left = frame->mapTo(&editor_, QPoint(0, 0)).x();
        const int last = std::min<int>(kSlotCount, target.slot + static_cast<int>(target.files.size()) - 1);
        const int top = editor_.nameField(target.slot)->mapTo(&editor_, QPoint(0, 0)).y() - 3;
        const QLineEdit* end = editor_.nameField(last);
        const int bottom = end->mapTo(&editor_, QPoint(0, 0)).y() + end->height() + 3;
        area = QRect(left + 2, top, frame->width() - 4, bottom - top);
    }
    if (area.isNull()) {
        highlight_->hide();
        return;
    }
    highlight_->setGeometry(area);
    highlight_->raise();
    highlight_->show();
}

void SlotDrop::fill(int firstSlot, const std::vector<std::string>& files) {
    queue_.clear();
    int slot = firstSlot;
    for (const std::string& file : files) {
        if (slot > kSlotCount) break;
        queue_.emplace_back(slot++, file);
    }
    fillNext();
}

// One file after the other; a file that is being converted holds the rest back until its
// slot is filled, so that the slots keep the order the files were given in. The files filled in
// one go undo as one step; a converted file, filled later, is a step of its own.
void SlotDrop::fillNext() {
    editor_.editor().beginStepGroup();
    while (!queue_.empty() && !editor_.audioOffer().converting()) {
        const auto [slot, file] = queue_.front();
        queue_.pop_front();
        // A file refused along the way stops the rest: the slots after it would leave a gap.
        if (slot > 1 && !state_.setup.slot(slot - 1).filled()) {
            queue_.clear();
            break;
        }
        const BrowseOutcome outcome = editor_.editor().assignFile(slot, file);
        editor_.refreshFromState();
        Q_EMIT editor_.setupEdited();
        if (outcome != BrowseOutcome::Accepted && !editor_.audioOffer().converting()) {
            queue_.clear();
            break;
        }
    }
    editor_.editor().endStepGroup();
}

}  // namespace mmx
