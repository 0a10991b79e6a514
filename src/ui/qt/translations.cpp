#include "ui/qt/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>

namespace mmx {

Translations::Translations(QString folder) : folder_(std::move(folder)) {}

Translations::~Translations() { use(QString()); }

QString Translations::localeFor(const WindowState& state) {
    if (state.settings.otherLanguage) return {};
    const std::string stem = state.settings.languageFile.substr(0, state.settings.languageFile.find('.'));
    if (stem == "nl") return QStringLiteral("nl");
    if (stem == "zh-s") return QStringLiteral("zh_CN");
    if (stem == "zh-t") return QStringLiteral("zh_TW");
    return {};
}

bool Translations::use(const QString& locale) {
    if (locale == locale_ && (locale.isEmpty() || own_)) return true;
    for (auto* translator : {qt_.get(), own_.get()})
        if (translator) QCoreApplication::removeTranslator(translator);
    qt_.reset();
    own_.reset();
    locale_ = locale;
    if (locale.isEmpty()) return true;

    auto qt = std::make_unique<QTranslator>();
    if (qt->load(QStringLiteral("qtbase_") + locale, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qt.get());
        qt_ = std::move(qt);
    }
    auto own = std::make_unique<QTranslator>();
    if (!own->load(QStringLiteral("mmx4210_") + locale, folder_)) return false;
    QCoreApplication::installTranslator(own.get());
    own_ = std::move(own);
    return true;
}

QString translationsFolder(const QString& dataFolder) {
    const QString beside = QDir(dataFolder).filePath(QStringLiteral("translations"));
    if (QDir(beside).exists()) return beside;
#ifdef MMX_BUILD_TRANSLATIONS_DIR
    return QStringLiteral(MMX_BUILD_TRANSLATIONS_DIR);
#else
    return beside;
#endif
}

}  // namespace mmx
