// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "dialogs.hpp"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QTranslator>

namespace quivra::qt {

namespace {

QMessageBox::Icon toQt(quivra::Icon icon) {
    switch (icon) {
    case quivra::Icon::Exclamation:
        return QMessageBox::Warning;
    case quivra::Icon::Stop:
        return QMessageBox::Critical;
    case quivra::Icon::Information:
        return QMessageBox::Information;
    case quivra::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// The file dialog's detailed view as the game words it: Qt dates files in the desktop's
// language and its Spanish has no word for a folder's type.
class SpanishFileDetails : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override {
        enum { kType = 2, kModified = 3 };
        const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
        if (role == Qt::DisplayRole && files != nullptr) {
            const QModelIndex file = mapToSource(index);
            if (index.column() == kType && files->isDir(file)) {
                return QStringLiteral("Carpeta");
            }
            if (index.column() == kModified) {
                return QLocale().toString(files->lastModified(file), QLocale::ShortFormat);
            }
        }
        return QIdentityProxyModel::data(index, role);
    }
};

// Keeps Esc and the title bar's close button from answering a box, which would take No: the
// key reaches the box after its buttons let it go.
class IgnoreEscape : public QObject {
protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Close) {
            event->ignore(); // a close event comes accepted
            return true;
        }
        return event->type() == QEvent::KeyPress &&
               static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
    }
};

} // namespace

bool speakSpanish() {
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QStringLiteral("qtbase_es"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(translator)) {
        return true;
    }
    delete translator;
    return false;
}

quivra::Answer QtDialogs::messageBox(std::string_view text, std::string_view title,
                                     quivra::Buttons buttons, quivra::Icon icon) {
    QMessageBox box(toQt(icon), toQString(title), toQString(text), QMessageBox::NoButton, window_);
    if (buttons == quivra::Buttons::Ok) {
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return quivra::Answer::Ok;
    }
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    IgnoreEscape ignoreEscape;
    if (buttons == quivra::Buttons::YesNoOnly) {
        box.installEventFilter(&ignoreEscape);
    }
    return box.exec() == QMessageBox::Yes ? quivra::Answer::Yes : quivra::Answer::No;
}

void QtDialogs::configure(QFileDialog& dialog, std::string_view title,
                          const quivra::FileFilter& filter, bool save) {
    // Qt's own dialog, not the desktop's, speaks the game's Spanish on every desktop.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new SpanishFileDetails(&dialog));
    dialog.setWindowTitle(toQString(title));
    // Qt reads the pattern from a trailing "(...)" and, with the details hidden, shows the
    // rest: the description exactly as given, even one that ends in a space.
    dialog.setNameFilter(toQString(filter.description) + u'(' + toQString(filter.pattern) + u')');
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The game asks its own overwrite question, with its own title.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
}

std::optional<std::string> QtDialogs::fileName(quivra::FileDialog kind, std::string_view title,
                                               const quivra::FileFilter& filter) {
    QFileDialog dialog(window_);
    configure(dialog, title, filter, kind == quivra::FileDialog::Save);
    if (!lastChosen_.isEmpty()) {
        dialog.selectFile(lastChosen_);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    lastChosen_ = dialog.selectedFiles().constFirst();
    return QDir::toNativeSeparators(lastChosen_).toStdString();
}

void QtDialogs::beep() {
    QApplication::beep();
}

void QtDialogs::quit() {
    window_->close();
    QApplication::quit();
}

} // namespace quivra::qt
