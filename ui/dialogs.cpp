#include "dialogs.hpp"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

QMessageBox::Icon toQt(Dialogs::Icon icon) {
    switch (icon) {
    case Dialogs::Icon::Exclamation:
        return QMessageBox::Warning;
    case Dialogs::Icon::Stop:
        return QMessageBox::Critical;
    case Dialogs::Icon::Information:
        return QMessageBox::Information;
    case Dialogs::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

Dialogs::Answer QtDialogs::messageBox(const QString& text, const QString& title, Buttons buttons,
                                      Icon icon) {
    QMessageBox box(toQt(icon), title, text, QMessageBox::NoButton, parent_);
    if (buttons == Buttons::Ok) {
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return Answer::Ok;
    }
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

std::optional<QString> QtDialogs::openFileName(const QString& title, const FileFilter& filter) {
    return askFileName(title, filter, false);
}

std::optional<QString> QtDialogs::saveFileName(const QString& title, const FileFilter& filter) {
    return askFileName(title, filter, true);
}

void QtDialogs::configure(QFileDialog& dialog, const QString& title, const FileFilter& filter,
                          bool save) {
    dialog.setWindowTitle(title);
    // Qt reads the pattern from a trailing "(...)" and, with the details hidden, shows the
    // rest: the description exactly as given, even one that ends in a space.
    dialog.setNameFilter(filter.description + u'(' + filter.pattern + u')');
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The game asks its own overwrite question, with its own title.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
}

std::optional<QString> QtDialogs::askFileName(const QString& title, const FileFilter& filter,
                                              bool save) {
    QFileDialog dialog(parent_);
    configure(dialog, title, filter, save);
    if (!lastChosen_.isEmpty()) {
        dialog.selectFile(lastChosen_);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    lastChosen_ = dialog.selectedFiles().constFirst();
    return lastChosen_;
}

void QtDialogs::beep() {
    QApplication::beep();
}

void QtDialogs::quit() {
    QApplication::quit();
}
