#include "ui/qt/waveform_strip.h"

#include <QGridLayout>
#include <QLineEdit>

#include "audio/spoken_draft.h"
#include "ui/qt/editor_window.h"
#include "ui/qt/waveform_view.h"

namespace mmx {

WaveformStrip::WaveformStrip(EditorWindow& editor, const WindowState& state, QObject* parent)
    : QObject(parent), state_(state) {
    qRegisterMetaType<WaveformLoader::Result>();
    loader_ = new WaveformLoader(WaveformView::kColumns, 2, this);
    connect(loader_, &WaveformLoader::ready, this, &WaveformStrip::arrived);
    place(editor);
    refresh();
}

// In the slot's own row of the message table, after its last column.
void WaveformStrip::place(EditorWindow& editor) {
    QWidget* frame = editor.nameField(1)->parentWidget();
    auto* grid = qobject_cast<QGridLayout*>(frame->layout());
    const int column = grid != nullptr ? grid->columnCount() : 0;
    for (int k = 1; k <= kSlotCount; ++k) {
        auto* view = new WaveformView(frame);
        view->setObjectName(QStringLiteral("Waveform_%1").arg(k));
        view->setAccessibleName(WaveformView::tr("Waveform of message %1").arg(k));
        views_[static_cast<size_t>(k - 1)] = view;
        if (grid == nullptr) continue;
        int row = 0, ignored = 0;
        grid->getItemPosition(grid->indexOf(editor.nameField(k)), &row, &ignored, &ignored, &ignored);
        grid->addWidget(view, row, column, Qt::AlignCenter);
        view->show();
    }
}

void WaveformStrip::refresh() {
    for (int k = 1; k <= kSlotCount; ++k) {
        const auto i = static_cast<size_t>(k - 1);
        const Slot& slot = state_.setup.slot(k);
        const std::string path = slot.filled() ? slot.path : std::string();
        if (path == shownPath_[i]) continue;
        shownPath_[i] = path;
        if (path.empty()) {
            pending_[i] = false;
            views_[i]->clear();
            continue;
        }
        pending_[i] = true;
        views_[i]->showReading();
        loader_->request(k, path);
    }
}

bool WaveformStrip::complete() const {
    return std::none_of(pending_.begin(), pending_.end(), [](bool pending) { return pending; });
}

void WaveformStrip::arrived(const WaveformLoader::Result& result) {
    const auto i = static_cast<size_t>(result.slot - 1);
    if (result.path != shownPath_[i]) return;  // the slot has taken another file since
    // The quick picture may come after the full one when the cache had it already.
    if (!pending_[i] && views_[i]->summary() != nullptr && views_[i]->summary()->loudnessMeasured &&
        !result.summary->loudnessMeasured)
        return;
    const bool wasPending = pending_[i];
    pending_[i] = false;
    views_[i]->showSummary(result.summary, audio::isSpokenDraftName(result.path));
    if (wasPending && complete()) Q_EMIT allShown();
}

}  // namespace mmx
