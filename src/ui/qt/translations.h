#pragma once
// Qt's side of the interface language: the texts the language files do not carry (Qt's own
// buttons and file dialogs, and this program's texts written with tr()) follow the built-in
// language in use.
#include <QString>
#include <QTranslator>
#include <memory>

#include "ui/app/window_state.h"

namespace mmx {

class Translations {
public:
    // folder: where this program's .qm files lie ("translations" in its data folder).
    explicit Translations(QString folder);
    ~Translations();

    // The Qt locale name of a language file in use: "nl", "zh_CN", "zh_TW"; "" for English
    // and any language file of the operator's own ("other").
    static QString localeFor(const WindowState& state);
    // Installs the translations for locale ("" removes them). True when this program's own
    // translations were found (always true for "").
    bool use(const QString& locale);
    const QString& locale() const { return locale_; }

private:
    QString folder_;
    QString locale_;
    std::unique_ptr<QTranslator> qt_;
    std::unique_ptr<QTranslator> own_;
};

// Where the translations lie for a program whose data is in dataFolder: its "translations"
// folder, or the build tree's when run from there.
QString translationsFolder(const QString& dataFolder);

}  // namespace mmx
