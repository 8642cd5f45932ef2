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
    const QString text = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, QString(), &ok);
    return ok ? text : QString();
}

void installQtTranslations(int languageOffset) {
    static QTranslator* translator = nullptr;
    static int installed = -1;
    if (installed == languageOffset || !QCoreApplication::instance())
        return;
    installed = languageOffset;
    const char* name = "qtbase_en";
    switch (languageOffset) {
    case 0: name = "qtbase_de"; break;
    case 2000: name = "qtbase_es"; break;
    case 3000: name = "qtbase_it"; break;
    case 6000: name = "qtbase_fr"; break;
    default: break;
    }
    if (translator) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
        translator = nullptr;
    }
    auto* next = new QTranslator(QCoreApplication::instance());
    if (next->load(QString::fromLatin1(name), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(next);
        translator = next;
    } else {
        delete next;
    }
}

} // namespace marvolen::ui
