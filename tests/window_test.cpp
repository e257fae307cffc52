#include "window_fixture.hpp"

#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <cmath>
#include <functional>

namespace {

struct Placement {
    const char* name;
    QRect pixels;
    const char* tooltip;
};

// The design, in stored order: creation order, position and size in pixels, tooltip.
const Placement kDesign[] = {
    {"txtHints", {8, 392, 185, 81}, "Hints."},
    {"pic_4_6", {88, 16, 425, 225}, ""},
    {"pic_4_4", {88, 16, 425, 225}, ""},
    {"pic_4_2", {88, 16, 425, 225}, ""},
    {"cmdIr", {472, 248, 41, 25}, ""},
    {"pic_4_0", {88, 16, 425, 225}, ""},
    {"pic_2_2", {88, 16, 425, 225}, ""},
    {"cmdSalir", {272, 416, 241, 49}, "Salir. Recuerde guardar su progreso antes de salir..."},
    {"cmdAbrirP",
     {272, 352, 113, 49},
     "Abrir un archivo .dat.txt que reiniciará el juego desde el punto almacenado en un juego "
     "anterior..."},
    {"cmdNuevoJuego", {272, 288, 113, 49}, "Reempezar desde cero..."},
    {"txtOkOrNot", {88, 288, 169, 29}, "Aquí se muestra la respuesta de la computadora..."},
    {"cmdSaveAs", {400, 352, 113, 49}, "Guardar progreso como..."},
    {"cmdSave", {400, 288, 113, 49}, "Guardar progreso actual en el archivo actual..."},
    {"txtComando", {88, 248, 377, 28}, "comando."},
    {"pic_1_0", {88, 16, 425, 225}, ""},
    {"txtEscenario", {88, 16, 425, 225}, ""},
    {"pic_2_0_2", {88, 16, 425, 225}, ""},
    {"lblAbout", {104, 328, 137, 49}, ""},
};

TEST_F(WindowTest, ControlsStandWhereTheDesignPutsThemInItsOrder) {
    EXPECT_EQ(window->objectName(), "frmQuivra");
    EXPECT_EQ(window->size(), QSize(600, 486));
    std::vector<QString> created;
    for (QObject* child : window->children()) {
        if (child->isWidgetType()) {
            created.push_back(child->objectName());
        }
    }
    ASSERT_EQ(created.size(), std::size(kDesign));
    for (std::size_t i = 0; i < std::size(kDesign); ++i) {
        const Placement& design = kDesign[i];
        EXPECT_EQ(created[i], design.name);
        QWidget* widget = control(design.name);
        EXPECT_EQ(widget->geometry(), design.pixels) << design.name;
        EXPECT_EQ(widget->toolTip(), QString::fromUtf8(design.tooltip)) << design.name;
    }

    window->resize(900, 700);
    QTest::qWait(0);
    for (const Placement& design : kDesign) {
        EXPECT_EQ(control(design.name)->geometry(), design.pixels) << "moved on resize";
    }
}

TEST_F(WindowTest, StartsInTheFirstSceneReadyToType) {
    EXPECT_EQ(window->windowTitle(), "Quivra");
    EXPECT_EQ(visiblePictures(), std::vector<QString>{"pic_1_0"});
    EXPECT_FALSE(sceneBox()->isVisible());
    EXPECT_EQ(verdict(), "");
    EXPECT_EQ(entry()->text(), "");
    EXPECT_EQ(window->game().strEstado, "_1_0");
    EXPECT_EQ(window->sceneText(), "Escenario 1\r\n");
    EXPECT_TRUE(entry()->hasFocus());

    QTest::keyClicks(window->focusWidget(), "zar");
    EXPECT_EQ(entry()->text(), "zar");
}

TEST_F(WindowTest, TabMovesByTabIndexOverVisibleControls) {
    window->findChild<QPlainTextEdit*>("txtEscenario")->show();
    const char* expected[] = {"txtEscenario", "txtComando", "cmdSave",       "cmdSaveAs",
                              "txtOkOrNot",   "pic_1_0",    "cmdNuevoJuego", "cmdAbrirP",
                              "cmdSalir",     "cmdIr",      "txtHints"};
    sceneBox()->setFocus();
    for (const char* name : expected) {
        EXPECT_EQ(QApplication::focusWidget()->objectName(), name);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(QApplication::focusWidget()->objectName(), "txtEscenario") << "the order wraps";
}

TEST_F(WindowTest, BoxesLookAsDesigned) {
    const auto points = [](QWidget* widget) { return widget->font().pointSizeF(); };
    // On Linux the metric-compatible Liberation faces stand in for the Windows fonts.
    EXPECT_TRUE(QStringList({"Times New Roman", "Liberation Serif"})
                    .contains(QFontInfo(sceneBox()->font()).family()));
    EXPECT_DOUBLE_EQ(points(sceneBox()), 11.0) << "the reset sets 11 points";
    EXPECT_DOUBLE_EQ(points(control("txtOkOrNot")), 12.0);
    EXPECT_DOUBLE_EQ(points(entry()), 9.75);
    EXPECT_DOUBLE_EQ(points(control("cmdSave")), 8.25);
    EXPECT_TRUE(control("lblAbout")->font().bold());

    EXPECT_EQ(entry()->palette().color(QPalette::Text), QColor(Qt::white));
    EXPECT_EQ(entry()->palette().color(QPalette::Base), QColor(Qt::black));
    auto* hints = control<QPlainTextEdit>("txtHints");
    EXPECT_EQ(hints->palette().color(QPalette::Text), QColor(0, 128, 128));
    EXPECT_EQ(hints->palette().color(QPalette::Base), QColor(224, 224, 224));
    EXPECT_FALSE(hints->isReadOnly());
    EXPECT_EQ(hints->toPlainText().size(), 414 + 1) << "414 characters and a line end";
    EXPECT_TRUE(hints->toPlainText().endsWith("arreglar problemas espirituales /\n"));

    EXPECT_TRUE(sceneBox()->isReadOnly());
    EXPECT_TRUE(sceneBox()->textInteractionFlags() & Qt::TextSelectableByKeyboard);
    EXPECT_EQ(sceneBox()->focusPolicy(), Qt::StrongFocus);
    EXPECT_EQ(sceneBox()->lineWidth(), 1);
    EXPECT_EQ(sceneBox()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    auto* verdictBox = control<QLineEdit>("txtOkOrNot");
    EXPECT_TRUE(verdictBox->isReadOnly());
    EXPECT_EQ(verdictBox->alignment(), Qt::AlignCenter);
    const QImage boxed = verdictBox->grab().toImage();
    for (const QPoint border : {QPoint(0, 0), QPoint(boxed.width() - 1, boxed.height() - 1)}) {
        EXPECT_EQ(boxed.pixelColor(border), QColor(Qt::black)) << "a plain black box";
    }
    EXPECT_EQ(boxed.pixelColor(1, 1), verdictBox->palette().color(QPalette::Base)) << "one pixel";

    const QString credit = control<QLabel>("lblAbout")->text();
    EXPECT_TRUE(credit.endsWith(QStringLiteral("Versión 1.2.1"))) << credit.toStdString();
}

// What the first frame does not show follows right after it: the window's icon and the
// buttons' high-DPI drawings.
TEST_F(WindowTest, IconAndSharpPicturesFollowTheFirstFrame) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->windowIcon().isNull(); }));
    EXPECT_TRUE(window->windowIcon().availableSizes().contains(QSize(64, 64)));
    for (const char* name : {"cmdSalir", "cmdAbrirP", "cmdNuevoJuego", "cmdSaveAs", "cmdSave"}) {
        const auto* command = control<QToolButton>(name);
        EXPECT_TRUE(command->icon().availableSizes().contains(command->iconSize() * 2)) << name;
    }
}

TEST_F(WindowTest, ControlsHaveSpanishAccessibleNames) {
    EXPECT_EQ(entry()->accessibleName(), "Comando");
    EXPECT_EQ(sceneBox()->accessibleName(), "Escenario");
    EXPECT_EQ(control("txtOkOrNot")->accessibleName(), "Respuesta");
    EXPECT_EQ(control("txtHints")->accessibleName(), "Pistas");
    EXPECT_EQ(control("cmdSave")->accessibleName(), "Guardar progreso");
    EXPECT_EQ(control("cmdSaveAs")->accessibleName(), "Guardar como...");
    for (const quivra::Picture picture : quivra::kAllPictures) {
        EXPECT_FALSE(window->pictureBox(picture)->accessibleName().isEmpty());
        EXPECT_FALSE(window->pictureBox(picture)->accessibleDescription().isEmpty());
    }
}

TEST_F(WindowTest, EnterAndIrPlayTheSameTurn) {
    enter(QStringLiteral("  ZARPAR "));
    EXPECT_EQ(verdict(), "Ok");
    EXPECT_TRUE(sceneBox()->isVisible());
    EXPECT_TRUE(visiblePictures().empty());
    EXPECT_EQ(sceneBox()->toPlainText().toStdString(), window->game().strRelato);
    EXPECT_EQ(entry()->text(), "  ZARPAR ") << "the entry box keeps what was typed";
    screenshot(QStringLiteral("text-scene"));
    EXPECT_TRUE(dialogs->boxes.empty() && dialogs->fileQuestions.empty()) << "no button pressed";

    entry()->setText(QStringLiteral("navegar hacia la balsa"));
    QTest::mouseClick(control("cmdIr"), Qt::LeftButton);
    EXPECT_EQ(window->game().strEstado, "_2_1");

    entry()->setText(QStringLiteral("subir a la balsa"));
    QTest::keyClick(entry(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(window->game().strEstado, "_2_1_1");

    QTest::keyClick(entry(), Qt::Key_A);
    EXPECT_EQ(window->game().strEstado, "_2_1_1") << "other keys only type";
    EXPECT_EQ(entry()->text(), "subir a la balsaa");
}

TEST_F(WindowTest, LongestPassageWrapsAndScrolls) {
    enter("construir barco");
    enter("arreglar problemas espirituales");
    for (int turn = 0; turn < 4; ++turn) {
        enter("subir a la balsa");
    }
    EXPECT_EQ(window->game().strEstado, "_4_3");
    EXPECT_EQ(sceneBox()->toPlainText().size(), 3544);
    EXPECT_GT(sceneBox()->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(sceneBox()->horizontalScrollBar()->maximum(), 0) << "long lines wrap";
    screenshot(QStringLiteral("longest-passage"));
    enter("");
    enter("");
    EXPECT_EQ(verdict(), "Fin");
    screenshot(QStringLiteral("ending"));
}

// Wherever the player scrolled or what he selected in the last passage, the next one
// written to the box shows from its first line with nothing selected.
TEST_F(WindowTest, NewPassageShowsFromTheTopWithNothingSelected) {
    enter("construir barco");
    enter("arreglar problemas espirituales");
    for (int turn = 0; turn < 4; ++turn) {
        enter("subir a la balsa");
    }
    const QString passage = sceneBox()->toPlainText();
    sceneBox()->setFocus();
    QTest::keyClick(sceneBox(), Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(sceneBox()->textCursor().hasSelection());
    ASSERT_GT(sceneBox()->verticalScrollBar()->value(), 0);

    const QString saved = path(QStringLiteral("final.txt"));
    dialogs->files = {saved, saved};
    window->cmdSaveAs_Click();
    window->cmdAbrirP_Click(); // writes the same passage again
    ASSERT_TRUE(sceneBox()->isVisible());
    EXPECT_EQ(sceneBox()->toPlainText(), passage);
    EXPECT_FALSE(sceneBox()->textCursor().hasSelection());
    EXPECT_EQ(sceneBox()->textCursor().position(), 0);
    EXPECT_EQ(sceneBox()->verticalScrollBar()->value(), 0);
}

TEST_F(WindowTest, PicturesShowOneAtATimeWithTheTextKept) {
    enter("zarpar");
    const QString voyage = sceneBox()->toPlainText();
    enter("acercarse a las aves marinas");
    EXPECT_EQ(verdict(), "Fin");
    EXPECT_EQ(visiblePictures(), std::vector<QString>{"pic_2_2"});
    EXPECT_FALSE(sceneBox()->isVisible());
    EXPECT_EQ(sceneBox()->toPlainText(), voyage);
    enter("zarpar");
    EXPECT_EQ(visiblePictures(), std::vector<QString>{"pic_2_2"}) << "an ending ignores Enter";
}

// Each picture is drawn unscaled from the top-left of the box's inner area and clipped to
// it: compare the screen with the picture itself.
TEST_F(WindowTest, PicturesAreDrawnUnscaledAndClipped) {
    for (const quivra::Picture picture : quivra::kAllPictures) {
        PictureBox* box = window->pictureBox(picture);
        box->show();
        const QImage shown = box->grab().toImage();
        const QImage drawing = box->picture().toImage();
        ASSERT_FALSE(drawing.isNull()) << box->objectName().toStdString();
        ASSERT_GE(drawing.width(), 421);
        ASSERT_GE(drawing.height(), 221);
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

TEST_F(WindowTest, SaveShortcutsWorkWhereverTheFocusIs) {
    // An access key presses its button the way a click does, a moment later.
    std::size_t asked = 0;
    for (const char* focus : {"txtComando", "txtHints", "cmdIr"}) {
        control(focus)->setFocus();
        for (const Qt::Key key : {Qt::Key_C, Qt::Key_G}) {
            QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
            ++asked;
            EXPECT_TRUE(QTest::qWaitFor([&] { return dialogs->fileQuestions.size() == asked; }))
                << focus;
        }
    }
    ASSERT_EQ(dialogs->fileQuestions.size(), 6U) << "Alt+C and Alt+G (with no file yet) ask a name";
    for (const auto& question : dialogs->fileQuestions) {
        EXPECT_EQ(question.title, "Guardar progreso como...");
        EXPECT_TRUE(question.save);
    }
}

TEST_F(WindowTest, FocusedButtonsAnswerSpaceAndEnter) {
    control("cmdNuevoJuego")->setFocus();
    QTest::keyClick(control("cmdNuevoJuego"), Qt::Key_Space);
    QTest::keyClick(control("cmdNuevoJuego"), Qt::Key_Return);
    EXPECT_EQ(dialogs->boxes.size(), 2U);
    QTest::keyClick(control("cmdNuevoJuego"), Qt::Key_Escape);
    EXPECT_EQ(dialogs->boxes.size(), 2U) << "no button answers Esc";
}

// The real boxes: Yes is the default, and the box shows the title and icon it was given.
TEST(MessageBox, YesIsTheDefaultAndTheAnswerComesBack) {
    QWidget parent;
    QtDialogs dialogs(&parent);
    for (const QMessageBox::StandardButton press : {QMessageBox::Yes, QMessageBox::No}) {
        bool shown = false;
        bool yesIsDefault = false;
        QString title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box != nullptr) {
                shown = true;
                yesIsDefault = box->defaultButton() == box->button(QMessageBox::Yes);
                title = box->windowTitle();
                icon = box->icon();
                box->button(press)->click();
            }
        });
        const Dialogs::Answer answer = dialogs.messageBox(
            QStringLiteral("¿Desea reempezar todo?"), QStringLiteral("Nuevo juego"),
            Dialogs::Buttons::YesNo, Dialogs::Icon::Exclamation);
        ASSERT_TRUE(shown);
        EXPECT_TRUE(yesIsDefault);
        EXPECT_EQ(title, "Nuevo juego");
        EXPECT_EQ(icon, QMessageBox::Warning);
        EXPECT_EQ(answer, press == QMessageBox::Yes ? Dialogs::Answer::Yes : Dialogs::Answer::No);
    }
}

TEST(FileDialog, ShowsTheGameTitleAndFilterAndAsksNoOverwriteQuestion) {
    QFileDialog dialog;
    QtDialogs::configure(dialog, QStringLiteral("Guardar progreso como..."),
                         {QStringLiteral("Documentos .txt (*.txt) "), QStringLiteral("*.txt")},
                         true);
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog)) << "Qt's own, in Spanish";
    EXPECT_EQ(dialog.windowTitle(), "Guardar progreso como...");
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
    auto* filters = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(filters, nullptr);
    ASSERT_EQ(filters->count(), 1);
    // Qt trims the description it shows; the trailing space could not be seen anyway.
    EXPECT_EQ(filters->itemText(0), "Documentos .txt (*.txt)");
    auto* files = dialog.findChild<QFileSystemModel*>();
    ASSERT_NE(files, nullptr);
    EXPECT_EQ(files->nameFilters(), QStringList{"*.txt"});
}

// Everything Qt shows in `root`, access-key marks removed: the texts and tooltips of its
// widgets, combo and list items (every column), column headings, and actions as menus show them.
QStringList shownTexts(QWidget* root) {
    QStringList texts;
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* widget : widgets) {
        texts << widget->toolTip();
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            texts << button->text();
        } else if (auto* label = qobject_cast<QLabel*>(widget)) {
            texts << label->text();
        } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            for (int i = 0; i < combo->count(); ++i) {
                texts << combo->itemText(i);
            }
        } else if (auto* header = qobject_cast<QHeaderView*>(widget)) {
            for (int i = 0; i < header->count(); ++i) {
                texts << header->model()->headerData(i, header->orientation()).toString();
            }
        } else if (auto* view = qobject_cast<QAbstractItemView*>(widget)) {
            const QAbstractItemModel* model = view->model();
            for (int row = 0; row < model->rowCount(view->rootIndex()); ++row) {
                for (int column = 0; column < model->columnCount(view->rootIndex()); ++column) {
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

// Qt's own words, in the game's Spanish (tests/qt_test_main.cpp loads it as the game does).
TEST(Spanish, MessageBoxesSayYesNoAndOkInSpanish) {
    QWidget parent;
    QtDialogs dialogs(&parent);
    const struct {
        Dialogs::Buttons buttons;
        QStringList words;
    } kBoxes[] = {{Dialogs::Buttons::YesNo, {"Sí", "No"}}, {Dialogs::Buttons::Ok, {"Aceptar"}}};
    for (const auto& box : kBoxes) {
        const QStringList shown = whileModal(
            [&] {
                dialogs.messageBox(QStringLiteral("¿Sobreescribir?"), QStringLiteral("Quivra"),
                                   box.buttons, Dialogs::Icon::Exclamation);
            },
            closeAfterReading);
        EXPECT_EQ(shown.join(u'|').toStdString(),
                  (QStringList{"¿Sobreescribir?"} + box.words).join(u'|').toStdString());
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
                const Dialogs::FileFilter filter{QStringLiteral("Documentos .txt (*.txt) "),
                                                 QStringLiteral("*.txt")};
                if (save) {
                    dialogs.saveFileName(QStringLiteral("Guardar progreso como..."), filter);
                } else {
                    dialogs.openFileName(QStringLiteral("Abrir archivo de progreso..."), filter);
                }
            },
            [&](QDialog& dialog) {
                auto& files = static_cast<QFileDialog&>(dialog);
                files.setDirectory(folder.path());
                files.setViewMode(QFileDialog::Detail);
                auto* model = files.findChild<QFileSystemModel*>();
                EXPECT_TRUE(QTest::qWaitFor(
                    [&] { return model->rowCount(model->index(folder.path())) == 2; }));
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
