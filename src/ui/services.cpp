// Default dialogs and Qt's own translations.
#include "services.h"

#include <QCoreApplication>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTranslator>

namespace marvolen::ui {

bool askYesNo(Services& services, QWidget* parent, const QString& title, const QString& text) {
    if (services.askYesNo)
        return services.askYesNo(parent, title, text);
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void inform(Services& services, QWidget* parent, const QString& title, const QString& text) {
    if (services.inform)
        return services.inform(parent, title, text);
    QMessageBox::information(parent, title, text);
}

QString askText(Services& services, QWidget* parent, const QString& title, const QString& prompt) {
    if (services.askText)
        return services.askText(parent, title, prompt);
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, QString(), &ok);
    return ok ? text : QString();
}

QtTranslations::QtTranslations(QObject* parent) : QObject(parent) {}

QtTranslations::~QtTranslations() {
    // Past the application object's end there is nothing to take it out of.
    if (m_translator && QCoreApplication::instance())
        QCoreApplication::removeTranslator(m_translator.get());
}

void QtTranslations::install(int languageOffset) {
    if (m_installed == languageOffset || !QCoreApplication::instance())
        return;
    m_installed = languageOffset;
    const char* name = "qtbase_en";
    switch (languageOffset) {
    case 0:
        name = "qtbase_de";
        break;
    case 2000:
        name = "qtbase_es";
        break;
    case 3000:
        name = "qtbase_it";
        break;
    case 6000:
        name = "qtbase_fr";
        break;
    default:
        break;
    }
    if (m_translator) {
        QCoreApplication::removeTranslator(m_translator.get());
        m_translator.reset();
    }
    auto next = std::make_unique<QTranslator>();
    if (next->load(QString::fromLatin1(name), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(next.get());
        m_translator = std::move(next);
    }
}

} // namespace marvolen::ui
