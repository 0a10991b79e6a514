#pragma once
// A file the unit cannot play, chosen with Browse: offer to convert it, convert it off the
// window thread with progress, save it in "unit-audio" beside the set-up and put it in the slot.
#include <QObject>
#include <QPointer>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "ui/app/dialogs.h"
#include "ui/app/editor.h"
#include "ui/app/window_state.h"
#include "ui/qt/convert_offer_dialog.h"

class QProgressDialog;
class QWidget;

namespace mmx {

class ConversionWorker;

class UnitAudioOffer final : public QObject {
    Q_OBJECT
public:
    // The question to the operator: a choice, or nothing when declined. By default the dialog.
    using Ask = std::function<std::optional<ConversionChoice>(const QString& fileName, const QString& reason)>;

    UnitAudioOffer(WindowState& state, Editor& editor, MessageBoxes& boxes, QWidget* window);
    ~UnitAudioOffer() override;

    // From now on the editor hands refused files here, and ask puts the question.
    void setAsk(Ask ask);
    // The same with the "Convert for the unit" dialog as the question.
    void askWithDialog();
    // The editor's handler for a file the WAVE check refused with messageBoxIndex.
    void offer(int k, const std::string& path, int messageBoxIndex);
    bool converting() const;

    // Where converted files go: "unit-audio" in the set-up's folder, or beside the input when
    // that folder cannot be written.
    static std::string outputFolder(const WindowState& state, const std::string& input);
    // The converted file's path in folder: the source's name with ".wav", or with "-2", "-3" ...
    // when a file of that name is there already.
    static std::filesystem::path freshOutputPath(const std::string& folder, const std::string& input);

Q_SIGNALS:
    // A converted file was put in slot k (or refused by the slot's checks).
    void slotConverted(int k);

private:
    void conversionFinished();

    WindowState& state_;
    Editor& editor_;
    MessageBoxes& boxes_;
    QWidget* window_;
    Ask ask_;
    ConversionWorker* worker_ = nullptr;
    QPointer<QProgressDialog> progress_;
    int slot_ = 0;
    std::string input_;
};

}  // namespace mmx
