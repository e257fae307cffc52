// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "dialogs.hpp"
#include "recording_window.hpp"
#include "story.hpp"
#include "window_fixture.hpp"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTimer>
#include <functional>

namespace {

// In a larger window too; on Linux the Liberation faces stand in for the Windows fonts.
TEST_F(WindowTest, BuildsEveryControlWhereTheDesignPutsItInItsFontAndColours) {
    EXPECT_EQ(window->size(), QSize(600, 486));
    const QList<QWidget*> widgets = window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(static_cast<std::size_t>(widgets.size()), quivra::windowDesign().size());
    window->resize(900, 700);
    QTest::qWait(0);
    for (qsizetype i = 0; i < widgets.size(); ++i) {
        const QWidget* widget = widgets[i];
        const quivra::ControlDesign& design = quivra::windowDesign()[i];
        const auto [left, top, width, height] = design.bounds;
        EXPECT_EQ(widget->objectName().toStdString(), design.name);
        EXPECT_EQ(widget->geometry(), QRect(left, top, width, height)) << design.name;
        EXPECT_EQ(widget->toolTip().toStdString(), design.tooltip) << design.name;
        EXPECT_EQ(widget->accessibleName().toStdString(), design.accessibleName);
        const quivra::Font& font = widget == sceneBox() ? quivra::kResetSceneFont : design.font;
        EXPECT_EQ(QFontInfo(widget->font()).family().toStdString(),
                  font.families.back() == "Arial" ? "Liberation Sans" : "Liberation Serif");
        EXPECT_DOUBLE_EQ(widget->font().pointSizeF(), font.points) << design.name;
        EXPECT_EQ(widget->font().bold(), font.bold) << design.name;
        const auto [text, background] = design.colours;
        const auto rgb = [](const quivra::Colour& c) { return QColor(c.red, c.green, c.blue); };
        if (background.system == quivra::SystemColour::None) {
            EXPECT_EQ(widget->palette().color(QPalette::Text), rgb(text));
            EXPECT_EQ(widget->palette().color(QPalette::Base), rgb(background));
        }
    }
}

TEST_F(WindowTest, StartsInTheEntryBoxAndTabFollowsTheDesignsTabIndices) {
    EXPECT_EQ(QApplication::focusWidget(), entry());
    sceneBox()->show();
    sceneBox()->setFocus();
    for (const char* name :
         {"txtEscenario", "txtComando", "cmdSave", "cmdSaveAs", "txtOkOrNot", "pic_1_0",
          "cmdNuevoJuego", "cmdAbrirP", "cmdSalir", "cmdIr", "txtHints", "txtEscenario"}) {
        EXPECT_EQ(QApplication::focusWidget()->objectName(), name);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
}

// The icons, which come once the first frame is out, in both densities.
TEST_F(WindowTest, DrawsTheIconsAndPicturesAsDesigned) {
    EXPECT_TRUE(window->windowIcon().availableSizes().contains(QSize(64, 64)));
    for (const auto* command : window->findChildren<QToolButton*>()) {
        EXPECT_TRUE(command->icon().isNull() ||
                    command->icon().availableSizes().contains(command->iconSize() * 2));
    }
    // Each picture is drawn unscaled from the top-left of the box's inner area and clipped to
    // it: compare the screen with the picture itself.
    for (const quivra::Picture picture : quivra::kAllPictures) {
        PictureBox* box = window->pictureBox(picture);
        const QImage shown = box->grab().toImage();
        const QRect inner = box->contentsRect();
        EXPECT_EQ(inner.size(), QSize(421, 221));
        for (const QPoint at : {QPoint(0, 0), QPoint(210, 110), QPoint(420, 220), QPoint(5, 219)}) {
            EXPECT_EQ(shown.pixelColor(inner.topLeft() + at),
                      box->picture().toImage().pixelColor(at));
        }
    }
}

// Enter, Ir and the keypad's Enter play a turn, heard verdict first; other keys only type.
TEST_F(WindowTest, TurnsShowTheirSceneAndPassageAndScreenReadersHearThem) {
    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(window.get());
    EXPECT_EQ(frame->text(QAccessible::Name), "Quivra");
    QAccessibleInterface* notification = frame->child(frame->childCount() - 1);
    ASSERT_EQ(notification->role(), QAccessible::Notification);
    const auto said = [&] { return notification->text(QAccessible::Name).toStdString(); };
    // The one box shown is the one named after the scene, or none and the scene box.
    const auto showsItsScene = [&] {
        const std::string& scene = window->game().strEstado;
        EXPECT_EQ(sceneBox()->isVisible(), !quivra::pictureOfScene(scene)) << scene;
        for (const quivra::Picture picture : quivra::kAllPictures) {
            PictureBox* box = window->pictureBox(picture);
            EXPECT_EQ(box->isVisible(), box->objectName().toStdString() == "pic" + scene) << scene;
            QAccessibleInterface* image = QAccessible::queryAccessibleInterface(box);
            EXPECT_EQ(image->role(), QAccessible::Graphic);
            EXPECT_EQ(image->state().invisible, !box->isVisible());
            EXPECT_EQ(image->text(QAccessible::Description).toStdString(),
                      quivra::pictureBox(picture).description);
        }
    };
    showsItsScene();
    EXPECT_TRUE(QTest::qWaitFor([&] { return said() == wordsOf(quivra::Picture::pic_1_0); }))
        << "the opening picture, once the window is active";

    enter(QStringLiteral("  ZARPAR "));
    EXPECT_EQ(said(), "Ok. " + window->game().strRelato) << "the passage shown, verdict first";
    QTest::keyClick(entry(), Qt::Key_A);
    EXPECT_EQ(entry()->text(), "  ZARPAR a") << "the entry box keeps what was typed";
    EXPECT_EQ(said(), "Ok. " + window->game().strRelato) << "no turn played";
    EXPECT_TRUE(dialogs->boxes.empty() && dialogs->fileQuestions.empty()) << "no button pressed";
    entry()->setText(QStringLiteral("nadar"));
    QTest::mouseClick(control("cmdIr"), Qt::LeftButton);
    EXPECT_EQ(said(), "Equivocado");
    entry()->setText(QStringLiteral("acercarse a las aves marinas"));
    QTest::sendKeyEvent(QTest::Press, entry(), Qt::Key_Enter, QString(), Qt::KeypadModifier);
    showsItsScene();
    EXPECT_EQ(said(), "Fin. " + wordsOf(quivra::Picture::pic_2_2));

    dialogs->answers = {quivra::Answer::Yes};
    window->cmdNuevoJuego_Click();
    for (const char* phrase :
         {"construir barco", "arreglar problemas espirituales", "subir a la balsa", "", "", ""}) {
        enter(QString::fromUtf8(phrase));
        showsItsScene();
    }

    // The longest passage, shown again by Open unselected from its first line wherever the
    // player scrolled.
    const QString passage = sceneBox()->toPlainText();
    sceneBox()->setFocus();
    QTest::keyClick(sceneBox(), Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(sceneBox()->textCursor().hasSelection());
    ASSERT_GT(sceneBox()->verticalScrollBar()->value(), 0);
    dialogs->files.assign(2, folder.filePath(QStringLiteral("final.txt")).toStdString());
    window->cmdSaveAs_Click();
    window->cmdAbrirP_Click(); // writes the same passage again
    EXPECT_EQ(notification->text(QAccessible::Name), passage)
        << "Open restores the scene without a verdict";
    EXPECT_FALSE(sceneBox()->textCursor().hasSelection());
    EXPECT_EQ(sceneBox()->verticalScrollBar()->value(), 0);
}

// Each button runs its own command, by Space or Enter while it has the focus, and Alt+G and
// Alt+C press theirs a moment later wherever the focus is: what each did first shows which.
// With a current file, only Save writes without asking. Esc presses none.
TEST_F(WindowTest, EachButtonAndAccessKeyRunsItsCommand) {
    const QString saved = folder.filePath(QStringLiteral("partida.txt"));
    dialogs->files = {saved.toStdString()};
    window->cmdSaveAs_Click();
    const auto pressed = [&](const char* focus, Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QFile::remove(saved);
        *dialogs = ScriptedDialogs(); // a No to New game keeps the current file
        control(focus)->setFocus();
        QTest::keyClick(control(focus), key, modifiers);
    };
    const auto did = [&] {
        return QFile::exists(saved)              ? "guardado"
               : !dialogs->fileQuestions.empty() ? dialogs->fileQuestions.front().title
               : !dialogs->boxes.empty()         ? dialogs->boxes.front().title
                                                 : "";
    };
    for (const char* focus : {"txtComando", "txtHints", "cmdIr"}) {
        for (const Qt::Key key : {Qt::Key_G, Qt::Key_C}) {
            pressed(focus, key, Qt::AltModifier);
            const std::string first = key == Qt::Key_G ? "guardado" : "Guardar progreso como...";
            EXPECT_TRUE(QTest::qWaitFor([&] { return did() == first; })) << focus << did();
        }
    }
    for (const auto& [button, first] : {std::pair{"cmdSave", "guardado"},
                                        {"cmdSaveAs", "Guardar progreso como..."},
                                        {"cmdAbrirP", "Abrir archivo de progreso..."},
                                        {"cmdSalir", "Salir de Quivra"},
                                        {"cmdNuevoJuego", "Nuevo juego"}}) {
        for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Escape}) {
            pressed(button, key, Qt::NoModifier);
            EXPECT_EQ(did(), key == Qt::Key_Escape ? "" : first) << button;
        }
    }
}

// Everything Qt shows in `root`, access-key marks removed: its title, the texts and tooltips of
// the widgets in it, combo items, the headings and items of its lists, and actions as menus show
// them.
QStringList shownTexts(QWidget* root) {
    QStringList texts{root->windowTitle()};
    for (const QWidget* widget : root->findChildren<QWidget*>()) {
        texts << widget->toolTip() << widget->property("text").toString();
        const auto* combo = qobject_cast<const QComboBox*>(widget);
        const auto* view = qobject_cast<const QAbstractItemView*>(widget);
        const QAbstractItemModel* model = combo != nullptr  ? combo->model()
                                          : view != nullptr ? view->model()
                                                            : nullptr;
        const QModelIndex top = view != nullptr ? view->rootIndex() : QModelIndex();
        for (int column = 0; model != nullptr && column < model->columnCount(top); ++column) {
            texts << model->headerData(column, Qt::Horizontal).toString();
            for (int row = 0; row < model->rowCount(top); ++row) {
                texts << model->index(row, column, top).data().toString();
            }
        }
    }
    for (const QAction* action : root->findChildren<QAction*>()) {
        texts << action->text().split(u'\t'); // and its shortcut
    }
    texts.replaceInStrings(QStringLiteral("&"), QString());
    texts.removeAll(QString());
    return texts;
}

// The texts still holding one of Qt's English words once qt_test_main.cpp has loaded Spanish.
std::string english(const QStringList& texts) {
    static const QRegularExpression kQtEnglish(QStringLiteral(
        R"(\b(Yes|OK|Cancel|Open|Save|Look in|Files?|Name|Type|Folder|Directory|Computer|Drive|)"
        R"(Back|Forward|Parent|Create|New|View|Detail|Size|Date|Modified|Rename|Show|Remove|)"
        R"(Copy|Cut|Paste|Delete|Undo|Redo|Select All|Please|Jan|Feb|Apr|May|Jun|Jul|Aug|Sep|)"
        R"(Oct|Nov|Dec|AM|PM|Ctrl|Shift|Del)\b)"));
    return texts.filter(kQtEnglish).join(QStringLiteral(" | ")).toStdString();
}

// Opens a modal dialog with `open`, lets `use` work and close it once it is up, by default
// unanswered, and returns what it showed.
QStringList whileModal(
    const std::function<void()>& open,
    const std::function<void(QDialog&)>& use = [](QDialog& dialog) { dialog.reject(); }) {
    QStringList shown;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            use(*dialog);
            shown = shownTexts(dialog);
        }
    });
    open();
    return shown;
}

TEST_F(WindowTest, MessageBoxesSpeakSpanishWithTheTitleAndIconGiven) {
    QtDialogs qt(window.get());
    const std::tuple<quivra::Buttons, Qt::Key, quivra::Answer, const char*> presses[] = {
        {quivra::Buttons::YesNo, Qt::Key_Return, quivra::Answer::Yes, "Sí|No"},
        {quivra::Buttons::YesNo, Qt::Key_Escape, quivra::Answer::No, "Sí|No"},
        {quivra::Buttons::YesNoOnly, Qt::Key_Escape, quivra::Answer::Yes, "Sí|No"},
        {quivra::Buttons::Ok, Qt::Key_Return, quivra::Answer::Ok, "Aceptar"}};
    // Copies captured: clang-tidy's clang 14 cannot capture structured bindings in a lambda.
    for (const auto& [buttons, key, answer, labels] : presses) {
        const QStringList shown = whileModal(
            [&qt, buttons = buttons, answer = answer] {
                EXPECT_EQ(qt.messageBox("¿Sobreescribir?", "Nuevo juego", buttons,
                                        quivra::Icon::Exclamation),
                          answer);
            },
            [buttons = buttons, key = key](QDialog& box) {
                EXPECT_EQ(static_cast<QMessageBox&>(box).icon(), QMessageBox::Warning);
                QTest::keyClick(&box, key); // Enter presses the default button
                if (buttons == quivra::Buttons::YesNoOnly) {
                    EXPECT_TRUE(box.isVisible()) << "Esc";
                    box.close();
                    EXPECT_TRUE(box.isVisible()) << "neither Esc nor closing answers";
                    QTest::keyClick(&box, Qt::Key_Return);
                }
            });
        EXPECT_EQ(shown.join(u'|').toStdString(),
                  std::string{"Nuevo juego|¿Sobreescribir?|"} + labels);
    }
}

// With the title and filter given and no question about overwriting.
TEST_F(WindowTest, FileDialogsSpeakSpanish) {
    QtDialogs qt(window.get());
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("viajes")));
    ASSERT_TRUE(QFile(folder.filePath(QStringLiteral("partida.txt"))).open(QIODevice::WriteOnly));
    const quivra::FileFilter filter{"Documentos .txt (*.txt) ", "*.txt"};
    for (const std::string title : {"Abrir archivo de progreso...", "Guardar progreso como..."}) {
        const bool save = title.starts_with("Guardar");
        const auto kind = save ? quivra::FileDialog::Save : quivra::FileDialog::Open;
        const auto look = [&](QDialog& dialog) {
            auto& files = static_cast<QFileDialog&>(dialog);
            EXPECT_TRUE(files.testOption(QFileDialog::DontUseNativeDialog) &&
                        files.testOption(QFileDialog::DontConfirmOverwrite));
            // Qt trims the description it shows; the trailing space could not be seen.
            const auto* types = files.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            EXPECT_EQ(types->count(), 1);
            EXPECT_EQ(types->itemText(0), "Documentos .txt (*.txt)");
            files.setDirectory(folder.path());
            files.setViewMode(QFileDialog::Detail);
            auto* model = files.findChild<QFileSystemModel*>();
            EXPECT_TRUE(
                QTest::qWaitFor([&] { return model->rowCount(model->index(folder.path())) == 2; }));
            EXPECT_EQ(model->nameFilters(), QStringList{"*.txt"});
            dialog.reject();
        };
        const QStringList shown = whileModal([&] { qt.fileName(kind, title, filter); }, look);
        EXPECT_TRUE(shown.contains(save ? "Guardar" : "Abrir") && shown.contains("Carpeta"));
        EXPECT_TRUE(shown.contains(QString::fromStdString(title)) && shown.contains("Cancelar"));
        EXPECT_EQ(english(shown), "") << title;
    }
}

} // namespace
