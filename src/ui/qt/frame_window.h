#pragma once
// The frame window: caption, menus (File, Setup with the Com port and Language submenus,
// Help), the editor window inside, and the closing of the program.
#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>

#include "ui/app/window_state.h"
#include "platform/qt/document_viewer.h"
#include "ui/app/setup_commands.h"
#include "ui/lang/caption_table.h"
#include "ui/lang/language_menu.h"
#include "ui/qt/editor_window.h"
#include "ui/qt/translations.h"

class QAction;
class QActionGroup;
class QMenu;

namespace mmx {

class NetworkPortEntry;
class UnitCheck;

class FrameWindow final : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* kInstructionsDocument = "IFU Zanth Message manager.TXT";
    static constexpr const char* kContactsDocument = "Contacts KDR.TXT";

    struct Services {
        EditorServices editor;
        DocumentViewer* viewer = nullptr;
        // The device a port number stands for, shown beside "Com1".."Com10" (no path for none),
        // and whether it is there now (an adapter may be unplugged).
        struct PortDevice {
            std::string path;
            bool present = true;
        };
        std::function<PortDevice(int commport)> portDevice;
        // Shows the splash window over the frame window without blocking it ("About").
        std::function<void()> showAbout;
    };

    FrameWindow(WindowState& state, CaptionTable& captions, Services services, QWidget* parent = nullptr);
    ~FrameWindow() override;

    EditorWindow& editorWindow() { return *editor_; }
    LanguageCommands& languages() { return *languages_; }
    SetupFileCommands& setupCommands() { return *setup_; }

    // The editor window is shown for the first time: settings file, language, status panels.
    void startUp();
    // Brings this window to the front in its normal state (a second start asked for it).
    void bringForward();

    // Menu commands, callable by tests.
    void openSetup();
    // Opens the set-up file at path into the editor, as Open does with a picked file.
    FileCommandResult openSetupFile(const std::string& path);
    void saveSetup();
    void saveSetupAs();
    void savePrintout();
    void choosePort(int index);
    void showInstructions();
    void showContacts();
    void showAboutWindow();
    void languageClicked(LanguageItem item);

    // The menu actions, by control name ("Open", "ComP3", "zh_s", ...), for tests.
    QAction* action(const QString& name) const;
    QMenu* menu(const QString& name) const;

    // Shows state.frameWindowCaption and rewrites the marker file.
    void captionChanged();
    Translations& translations() { return translations_; }
    // All captions again, after a language change.
    void applyCaptions();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
    void refreshLanguageChecks();
    void refreshPortChecks();
    void setUploadActive(bool active);
    bool mayClose();
    void showCaption();
    // Qt's own texts and this program's tr() texts follow the language file in use.
    void applyQtLanguage();
    void reportSave(FileCommandResult result);
    // After Open: the window shows the set-up and says once which of its files are missing.
    void showOpened(FileCommandResult result);
    QString windowPlaceFile() const;
    void restoreWindowPlace();
    void saveWindowPlace();
    // The settings file, with "Initial file cannot be found!" when it cannot be written.
    void saveSettings();
    // Opens a help document, or says where it is when no program on the system opened it.
    void showDocument(const std::string& path);

    WindowState& state_;
    CaptionTable& captions_;
    Services services_;
    EditorWindow* editor_ = nullptr;
    std::unique_ptr<SetupFileCommands> setup_;
    std::unique_ptr<LanguageCommands> languages_;
    bool activated_ = false;
    bool uploadActive_ = false;
    bool closeAfterUpload_ = false;
    Translations translations_;

    QMenu* fileMenu_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    QMenu* setupMenu_ = nullptr;
    QMenu* comportMenu_ = nullptr;
    QMenu* languageMenu_ = nullptr;
    QMenu* helpMenu_ = nullptr;
    QAction* open_ = nullptr;
    QAction* save_ = nullptr;
    QAction* saveAs_ = nullptr;
    QAction* saveAsText_ = nullptr;
    QAction* exit_ = nullptr;
    std::array<QAction*, 10> comP_{};
    QAction* zhS_ = nullptr;
    QAction* zhT_ = nullptr;
    QAction* en_ = nullptr;
    QAction* nl_ = nullptr;
    QAction* other_ = nullptr;
    QAction* instructions_ = nullptr;
    QAction* contacts_ = nullptr;
    QAction* about_ = nullptr;
    NetworkPortEntry* networkPort_ = nullptr;
    UnitCheck* unitCheck_ = nullptr;
};

}  // namespace mmx
