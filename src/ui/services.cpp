// The translations of Qt and of the game's own texts.
#include "services.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <array>
#include <mutex>

namespace marvolen::ui {

namespace {
struct LanguageFiles {
    int offset;
    const char* qt;   ///< Qt's translations
    const char* game; ///< the game's own
};
// English has no Qt translations of its own: Qt's texts are English.
constexpr std::array<LanguageFiles, 5> kLanguages{{{0, "qtbase_de", "de"},
                                                   {1000, nullptr, "en"},
                                                   {2000, "qtbase_es", "es"},
                                                   {3000, "qtbase_it", "it"},
                                                   {6000, "qtbase_fr", "fr"}}};
} // namespace

QString gameTranslationPath(int languageOffset) {
    for (const LanguageFiles& l : kLanguages)
        if (l.offset == languageOffset)
            return QStringLiteral(":/i18n/marvolen_%1.qm").arg(QLatin1String(l.game));
    return {};
}

/// Every language's translations, each loaded once, when a text is first asked for in it; each
/// lookup answers from the language of the offset current at that moment, the game's texts
/// first, then Qt's.
class QtTranslations::Translator : public QTranslator {
  public:
    explicit Translator(std::function<int()> offset) : m_offset(std::move(offset)) {}

    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override {
        const int offset = m_offset();
        for (std::size_t i = 0; i < kLanguages.size(); ++i) {
            if (kLanguages[i].offset != offset)
                continue;
            std::call_once(m_files[i].loaded, [this, i] { load(i); });
            QString text = m_files[i].game.translate(context, sourceText, disambiguation, n);
            if (text.isNull())
                text = m_files[i].qt.translate(context, sourceText, disambiguation, n);
            return text;
        }
        return {}; // an offset of no language: the source texts
    }

    bool isEmpty() const override { return false; }

  private:
    struct Files {
        QTranslator qt, game;
        std::once_flag loaded;
    };

    void load(std::size_t i) const {
        // A file that cannot be loaded leaves its texts to the English source texts.
        if (kLanguages[i].qt)
            (void)m_files[i].qt.load(QString::fromLatin1(kLanguages[i].qt),
                                     QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        (void)m_files[i].game.load(gameTranslationPath(kLanguages[i].offset));
    }

    std::function<int()> m_offset;
    // Loaded on first use, from translate(), which Qt declares const.
    mutable std::array<Files, kLanguages.size()> m_files;
};

QtTranslations::QtTranslations(QObject* parent) : QObject(parent) {}

QtTranslations::~QtTranslations() {
    // Past the application object's end there is nothing to take it out of.
    if (m_translator && QCoreApplication::instance())
        QCoreApplication::removeTranslator(m_translator.get());
}

void QtTranslations::installTranslator() {
    if (!m_translator)
        m_translator =
            std::make_unique<Translator>([this] { return m_follow ? m_follow() : m_installed; });
    // Installed again, it tells every window that the language has changed.
    QCoreApplication::removeTranslator(m_translator.get());
    QCoreApplication::installTranslator(m_translator.get());
}

void QtTranslations::install(int languageOffset) {
    if (m_installed == languageOffset || !QCoreApplication::instance())
        return;
    m_installed = languageOffset;
    installTranslator();
}

void QtTranslations::follow(std::function<int()> currentOffset) {
    m_follow = std::move(currentOffset);
    if (QCoreApplication::instance())
        installTranslator();
}

} // namespace marvolen::ui
