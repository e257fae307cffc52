#include "dialogs.hpp"
#include "story.hpp"
#include "window_fixture.hpp"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <functional>

namespace {

using quivra::Answer;

// The window builds every control of the game's design, in its stored order, where the design
// puts it and with its tooltip and spoken name; a larger window moves none.
TEST_F(WindowTest, ControlsStandWhereTheDesignPutsThemInItsOrder) {
    EXPECT_EQ(window->size(), QSize(600, 486));
    std::vector<std::string> created;
    for (QObject* child : window->children()) {
        if (child->isWidgetType()) {
            created.push_back(child->objectName().toStdString());
        }
    }
    ASSERT_EQ(created.size(), quivra::windowDesign().size());
    window->resize(900, 700);
    QTest::qWait(0);
    for (std::size_t i = 0; i < created.size(); ++i) {
        const quivra::ControlDesign& design = quivra::windowDesign()[i];
        EXPECT_EQ(created[i], design.name);
        const QWidget* widget = control(created[i].c_str());
        const auto [left, top, width, height] = design.pixels;
        EXPECT_EQ(widget->geometry(), QRect(left, top, width, height)) << created[i];
        EXPECT_EQ(widget->toolTip().toStdString(), design.tooltip) << created[i];
        EXPECT_EQ(widget->accessibleName().toStdString(), design.accessibleName) << created[i];
    }
}

// At start the entry box has the focus; Tab then follows the design's tab indices over the
// visible controls.
TEST_F(WindowTest, StartsReadyToTypeAndTabsByTabIndex) {
    EXPECT_EQ(window->windowTitle(), "Quivra");
    EXPECT_EQ(visiblePictures(), std::vector<QString>{"pic_1_0"});
    EXPECT_FALSE(sceneBox()->isVisible());
    QTest::keyClicks(window->focusWidget(), "zar");
    EXPECT_EQ(entry()->text(), "zar");

    sceneBox()->show();
    sceneBox()->setFocus();
    for (const char* name :
         {"txtEscenario", "txtComando", "cmdSave", "cmdSaveAs", "txtOkOrNot", "pic_1_0",
          "cmdNuevoJuego", "cmdAbrirP", "cmdSalir", "cmdIr", "txtHints", "txtEscenario"}) {
        EXPECT_EQ(QApplication::focusWidget()->objectName(), name);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
}

// Fonts, colours and boxes as designed; on Linux the metric-compatible Liberation faces stand
// in for the Windows fonts. The reset sets the scene box to 11 points.
TEST_F(WindowTest, BoxesLookAsDesigned) {
    EXPECT_EQ(QFontInfo(sceneBox()->font()).family(), "Liberation Serif");
    for (const auto& [name, points] : {std::pair{"txtEscenario", 11.0},
                                       {"txtOkOrNot", 12.0},
                                       {"txtComando", 9.75},
                                       {"cmdSave", 8.25}}) {
        EXPECT_DOUBLE_EQ(control(name)->font().pointSizeF(), points) << name;
    }
    EXPECT_TRUE(control("lblAbout")->font().bold());
    const auto colours = [](QWidget* box) {
        return std::pair{box->palette().color(QPalette::Text),
                         box->palette().color(QPalette::Base)};
    };
    EXPECT_EQ(colours(entry()), std::pair(QColor(Qt::white), QColor(Qt::black)));
    EXPECT_EQ(colours(control("txtHints")), std::pair(QColor(0, 128, 128), QColor(224, 224, 224)));
    EXPECT_FALSE(control<QPlainTextEdit>("txtHints")->isReadOnly());
    EXPECT_TRUE(sceneBox()->isReadOnly());
    EXPECT_TRUE(sceneBox()->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    EXPECT_EQ(sceneBox()->lineWidth(), 1);
    EXPECT_EQ(sceneBox()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    auto* verdictBox = control<QLineEdit>("txtOkOrNot");
    EXPECT_TRUE(verdictBox->isReadOnly());
    EXPECT_EQ(verdictBox->alignment(), Qt::AlignCenter);
    const QImage boxed = verdictBox->grab().toImage();
    EXPECT_EQ(boxed.pixelColor(0, 0), QColor(Qt::black)) << "a plain black box";
    EXPECT_EQ(boxed.pixelColor(boxed.width() - 1, boxed.height() - 1), QColor(Qt::black));
    EXPECT_EQ(boxed.pixelColor(1, 1), verdictBox->palette().color(QPalette::Base)) << "one pixel";
}

// What the first frame does not show follows right after it: the window's icon and the
// buttons' high-DPI drawings.
TEST_F(WindowTest, IconAndSharpPicturesFollowTheFirstFrame) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->windowIcon().isNull(); }));
    EXPECT_TRUE(window->windowIcon().availableSizes().contains(QSize(64, 64)));
    for (const auto* command : window->findChildren<QToolButton*>()) {
        EXPECT_TRUE(command->icon().isNull() ||
                    command->icon().availableSizes().contains(command->iconSize() * 2));
    }
}

// The window is a window named by its caption and each picture an image with its title and
// description, only the one showing not invisible. The focus stays in the entry box, so each
// turn reaches a screen reader through a notification, the window's last accessible child,
// which says what the turn changed, verdict first.
TEST_F(WindowTest, ScreenReadersMeetImagesAndHearEachTurn) {
    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(window.get());
    EXPECT_EQ(frame->role(), QAccessible::Window);
    EXPECT_EQ(frame->text(QAccessible::Name), window->windowTitle());
    QAccessibleInterface* notification = frame->child(frame->childCount() - 1);
    ASSERT_EQ(notification->role(), QAccessible::Notification);
    const auto said = [&] { return notification->text(QAccessible::Name).toStdString(); };

    enter("zarpar");
    const QString passage = sceneBox()->toPlainText();
    EXPECT_EQ(said(), ("Ok. " + passage).toStdString());
    enter("nadar");
    EXPECT_EQ(said(), "Equivocado");
    const std::string saved = path(QStringLiteral("mid-voyage.txt"));
    dialogs->files = {saved, saved};
    window->cmdSaveAs_Click();
    window->cmdAbrirP_Click();
    EXPECT_EQ(said(), passage.toStdString()) << "Open restores the scene without a verdict";
    enter("acercarse a las aves marinas");
    const quivra::ControlDesign& birds = quivra::pictureBox(quivra::Picture::pic_2_2);
    EXPECT_EQ(said(),
              "Fin. " + std::string{birds.accessibleName} + ". " + std::string{birds.description});
    for (const quivra::Picture picture : quivra::kAllPictures) {
        QAccessibleInterface* image =
            QAccessible::queryAccessibleInterface(window->pictureBox(picture));
        const quivra::ControlDesign& design = quivra::pictureBox(picture);
        EXPECT_EQ(image->role(), QAccessible::Graphic) << design.name;
        EXPECT_EQ(image->text(QAccessible::Name).toStdString(), design.accessibleName);
        EXPECT_EQ(image->text(QAccessible::Description).toStdString(), design.description);
        EXPECT_EQ(image->state().invisible, design.name != "pic_2_2") << design.name;
    }
}

TEST_F(WindowTest, EnterIrAndKeypadEnterPlayATurnAndOtherKeysOnlyType) {
    enter(QStringLiteral("  ZARPAR "));
    EXPECT_EQ(verdict(), "Ok");
    EXPECT_EQ(sceneBox()->toPlainText().toStdString(), window->game().strRelato);
    EXPECT_EQ(entry()->text(), "  ZARPAR ") << "the entry box keeps what was typed";
    screenshot(QStringLiteral("text-scene"));

    entry()->setText(QStringLiteral("navegar hacia la balsa"));
    QTest::mouseClick(control("cmdIr"), Qt::LeftButton);
    EXPECT_EQ(window->game().strEstado, "_2_1");

    entry()->setText(QStringLiteral("subir a la balsa"));
    QKeyEvent keypadEnter(QEvent::KeyPress, Qt::Key_Enter, Qt::KeypadModifier);
    QApplication::sendEvent(entry(), &keypadEnter);
    EXPECT_EQ(window->game().strEstado, "_2_1_1");

    QTest::keyClick(entry(), Qt::Key_A);
    EXPECT_EQ(window->game().strEstado, "_2_1_1");
    EXPECT_EQ(entry()->text(), "subir a la balsaa");
    EXPECT_TRUE(dialogs->boxes.empty() && dialogs->fileQuestions.empty()) << "no button pressed";
}

// A picture box bears the code of its scene: whichever scene the story reaches, the one
// control showing in the scene area is the box named after it, or the scene text.
TEST_F(WindowTest, TheSceneAreaShowsTheBoxNamedAfterTheScene) {
    const std::vector<std::vector<QString>> walks = {
        {},
        {"zarpar", "acercarse a las aves marinas"},
        {"zarpar", "continuar", "continuar"},
        {"construir barco", "arreglar problemas espirituales", "subir a la balsa", "", "", "", ""}};
    for (const auto& walk : walks) {
        dialogs->answers = {Answer::Yes};
        window->cmdNuevoJuego_Click();
        for (const QString& phrase : walk) {
            enter(phrase);
            const QString scene = QString::fromStdString(window->game().strEstado);
            const bool picture = quivra::pictureOfScene(window->game().strEstado).has_value();
            EXPECT_EQ(visiblePictures(),
                      picture ? std::vector<QString>{"pic" + scene} : std::vector<QString>{});
            EXPECT_EQ(sceneBox()->isVisible(), !picture) << scene.toStdString();
        }
    }
}

// Wherever the player scrolled or what he selected in the last passage, the next one written
// to the box shows from its first line with nothing selected; a long one wraps and scrolls.
TEST_F(WindowTest, LongestPassageWrapsScrollsAndShowsFromTheTop) {
    for (const char* phrase :
         {"construir barco", "arreglar problemas espirituales", "subir a la balsa", "", "", ""}) {
        enter(QString::fromUtf8(phrase));
    }
    EXPECT_EQ(window->game().strEstado, "_4_3");
    const QString passage = sceneBox()->toPlainText();
    EXPECT_EQ(passage.size(), 3544);
    EXPECT_GT(sceneBox()->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(sceneBox()->horizontalScrollBar()->maximum(), 0) << "long lines wrap";
    screenshot(QStringLiteral("longest-passage"));

    sceneBox()->setFocus();
    QTest::keyClick(sceneBox(), Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(sceneBox()->textCursor().hasSelection());
    ASSERT_GT(sceneBox()->verticalScrollBar()->value(), 0);
    const std::string saved = path(QStringLiteral("final.txt"));
    dialogs->files = {saved, saved};
    window->cmdSaveAs_Click();
    window->cmdAbrirP_Click(); // writes the same passage again
    EXPECT_EQ(sceneBox()->toPlainText(), passage);
    EXPECT_FALSE(sceneBox()->textCursor().hasSelection());
    EXPECT_EQ(sceneBox()->verticalScrollBar()->value(), 0);
}

// Each button runs its own command, by a click, Space or Enter while it has the focus: the
// first thing each asks shows which. Esc presses none.
TEST_F(WindowTest, EachButtonRunsItsCommand) {
    const std::pair<const char*, std::string> firstQuestion[] = {
        {"cmdNuevoJuego", "Nuevo juego"},
        {"cmdAbrirP", "Abrir archivo de progreso..."},
        {"cmdSave", "Guardar progreso como..."},
        {"cmdSaveAs", "Guardar progreso como..."},
        {"cmdSalir", "Salir de Quivra"}};
    for (const auto& [button, title] : firstQuestion) {
        for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Escape}) {
            dialogs->boxes.clear();
            dialogs->fileQuestions.clear();
            dialogs->answers = {Answer::Yes, Answer::Yes};
            control(button)->setFocus();
            QTest::keyClick(control(button), key);
            const auto& files = dialogs->fileQuestions;
            const auto& boxes = dialogs->boxes;
            const std::string asked = !files.empty()   ? files.front().title
                                      : !boxes.empty() ? boxes.front().title
                                                       : "";
            EXPECT_EQ(asked, key == Qt::Key_Escape ? "" : title) << button;
        }
    }
}

// Each picture is drawn unscaled from the top-left of the box's inner area and clipped to
// it: compare the screen with the picture itself.
TEST_F(WindowTest, PicturesAreDrawnUnscaledAndClipped) {
    for (const quivra::Picture picture : quivra::kAllPictures) {
        PictureBox* box = window->pictureBox(picture);
        box->show();
        const QImage shown = box->grab().toImage();
        const QImage drawing = box->picture().toImage();
        const QRect inner = box->contentsRect();
        EXPECT_EQ(inner.size(), QSize(421, 221));
        for (const QPoint at : {QPoint(0, 0), QPoint(210, 110), QPoint(420, 220), QPoint(5, 219)}) {
            EXPECT_EQ(shown.pixelColor(inner.topLeft() + at), drawing.pixelColor(at))
                << box->objectName().toStdString() << " at " << at.x() << "," << at.y();
        }
        screenshot(box->objectName());
        box->hide();
    }
}

// An access key presses its button the way a click does, a moment later, wherever the focus is.
TEST_F(WindowTest, SaveShortcutsWorkWhereverTheFocusIs) {
    for (const char* focus : {"txtComando", "txtHints", "cmdIr"}) {
        control(focus)->setFocus();
        for (const Qt::Key key : {Qt::Key_C, Qt::Key_G}) {
            const std::size_t asked = dialogs->fileQuestions.size();
            QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
            ASSERT_TRUE(QTest::qWaitFor([&] { return dialogs->fileQuestions.size() > asked; }));
            EXPECT_EQ(dialogs->fileQuestions.back().title, "Guardar progreso como...") << focus;
        }
    }
}

// Everything Qt shows in `root`, access-key marks removed: the texts and tooltips of the
// widgets in it, combo items, the headings and items of its lists, and actions as menus show them.
QStringList shownTexts(QWidget* root) {
    QStringList texts;
    for (const QWidget* widget : root->findChildren<QWidget*>()) {
        texts << widget->toolTip() << widget->property("text").toString();
        if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
            for (int i = 0; i < combo->count(); ++i) {
                texts << combo->itemText(i);
            }
        } else if (const auto* view = qobject_cast<const QAbstractItemView*>(widget)) {
            const QAbstractItemModel* model = view->model();
            for (int column = 0; column < model->columnCount(view->rootIndex()); ++column) {
                texts << model->headerData(column, Qt::Horizontal).toString();
                for (int row = 0; row < model->rowCount(view->rootIndex()); ++row) {
                    texts << model->index(row, column, view->rootIndex()).data().toString();
                }
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

// The texts holding one of Qt's English words for what its dialogs and menus show.
std::string english(const QStringList& texts) {
    static const QRegularExpression kQtEnglish(QStringLiteral(
        R"(\b(Yes|OK|Cancel|Open|Save|Look in|Files?|Name|Type|Folder|Directory|Computer|Drive|)"
        R"(Back|Forward|Parent|Create|New|View|Detail|Size|Date|Modified|Rename|Show|Remove|)"
        R"(Copy|Cut|Paste|Delete|Undo|Redo|Select All|Please|Jan|Feb|Apr|May|Jun|Jul|Aug|Sep|)"
        R"(Oct|Nov|Dec|AM|PM|Ctrl|Shift|Del)\b)"));
    return texts.filter(kQtEnglish).join(QStringLiteral(" | ")).toStdString();
}

// Opens a modal dialog with `open` and returns what it showed, read by `look` once it is up;
// `look` then closes it.
QStringList whileModal(const std::function<void()>& open,
                       const std::function<QStringList(QDialog&)>& look) {
    QStringList shown;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            shown = look(*dialog);
        }
    });
    open();
    return shown;
}

QStringList closeAfterReading(QDialog& dialog) {
    QStringList shown = shownTexts(&dialog);
    dialog.done(QDialog::Rejected);
    return shown;
}

// The real boxes, with Qt's own words in the game's Spanish (tests/qt_test_main.cpp loads it as
// the game does): the title and icon given, Yes the default, and the answer pressed.
TEST(Spanish, MessageBoxesSaySiNoAndAceptarWithYesTheDefault) {
    QWidget parent;
    QtDialogs dialogs(&parent);
    const std::pair<QMessageBox::StandardButton, Answer> presses[] = {
        {QMessageBox::Yes, Answer::Yes},
        {QMessageBox::No, Answer::No},
        {QMessageBox::Ok, Answer::Ok}};
    for (const auto& [press, answer] : presses) {
        QStringList shown;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            shown = QStringList{box->windowTitle()} + shownTexts(box);
            EXPECT_EQ(box->icon(), QMessageBox::Warning);
            EXPECT_TRUE(press == QMessageBox::Ok ||
                        box->defaultButton() == box->button(QMessageBox::Yes));
            box->button(press)->click();
        });
        EXPECT_EQ(
            dialogs.messageBox("¿Sobreescribir?", "Nuevo juego",
                               answer == Answer::Ok ? quivra::Buttons::Ok : quivra::Buttons::YesNo,
                               quivra::Icon::Exclamation),
            answer);
        EXPECT_EQ(shown.join(u'|').toStdString(), answer == Answer::Ok
                                                      ? "Nuevo juego|¿Sobreescribir?|Aceptar"
                                                      : "Nuevo juego|¿Sobreescribir?|Sí|No");
    }
}

TEST(Spanish, FileDialogsAndTheirComplaintSpeakSpanish) {
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("viajes")));
    QFile saved(folder.filePath(QStringLiteral("partida.txt")));
    ASSERT_TRUE(saved.open(QIODevice::WriteOnly));
    saved.close();

    QWidget parent;
    QtDialogs dialogs(&parent);
    for (const bool save : {false, true}) {
        QStringList complaint;
        const QStringList shown = whileModal(
            [&] {
                const quivra::FileFilter filter{"Documentos .txt (*.txt) ", "*.txt"};
                if (save) {
                    dialogs.saveFileName("Guardar progreso como...", filter);
                } else {
                    dialogs.openFileName("Abrir archivo de progreso...", filter);
                }
            },
            [&](QDialog& dialog) {
                auto& files = static_cast<QFileDialog&>(dialog);
                EXPECT_EQ(files.windowTitle(),
                          save ? "Guardar progreso como..." : "Abrir archivo de progreso...");
                EXPECT_TRUE(files.testOption(QFileDialog::DontUseNativeDialog));
                EXPECT_TRUE(files.testOption(QFileDialog::DontConfirmOverwrite));
                // Qt trims the description it shows; the trailing space could not be seen.
                const auto* types = files.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
                EXPECT_EQ(types->count(), 1);
                EXPECT_EQ(types->itemText(0), "Documentos .txt (*.txt)");
                files.setDirectory(folder.path());
                files.setViewMode(QFileDialog::Detail);
                auto* model = files.findChild<QFileSystemModel*>();
                EXPECT_TRUE(QTest::qWaitFor(
                    [&] { return model->rowCount(model->index(folder.path())) == 2; }));
                EXPECT_EQ(model->nameFilters(), QStringList{"*.txt"});
                QStringList shown = shownTexts(&dialog);
                if (!save) {
                    // A name that is not there makes Qt complain in a box of its own.
                    files.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                        ->setText(QStringLiteral("perdida.txt"));
                    complaint = whileModal([&] { dialog.accept(); }, closeAfterReading);
                }
                dialog.done(QDialog::Rejected);
                return shown;
            });
        EXPECT_TRUE(shown.contains(save ? "Guardar" : "Abrir")) << shown.join(" | ").toStdString();
        EXPECT_TRUE(shown.contains("Cancelar"));
        EXPECT_TRUE(shown.contains("Carpeta")) << "the type of a folder";
        EXPECT_EQ(english(shown), "") << (save ? "save" : "open");
        if (!save) {
            ASSERT_FALSE(complaint.isEmpty()) << "no complaint about a missing file";
            EXPECT_TRUE(complaint.contains("Aceptar"));
            EXPECT_EQ(english(complaint), "");
        }
    }
}

TEST_F(WindowTest, TextBoxMenusSpeakSpanish) {
    std::vector<std::unique_ptr<QMenu>> menus;
    for (QLineEdit* box : window->findChildren<QLineEdit*>()) {
        menus.emplace_back(box->createStandardContextMenu());
    }
    for (QPlainTextEdit* box : window->findChildren<QPlainTextEdit*>()) {
        menus.emplace_back(box->createStandardContextMenu());
    }
    ASSERT_EQ(menus.size(), 4U) << "the entry, verdict, scene and hints boxes";
    for (const auto& menu : menus) {
        const QStringList shown = shownTexts(menu.get());
        EXPECT_TRUE(shown.contains("Copiar") && shown.contains("Seleccionar todo"))
            << shown.join(" | ").toStdString();
        EXPECT_EQ(english(shown), "");
    }
}

} // namespace
