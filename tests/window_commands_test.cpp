#include "progress_file.hpp"
#include "window_fixture.hpp"

#include <QDir>
#include <QFile>
#include <sys/stat.h>

namespace {

using Answer = Dialogs::Answer;
using Icon = Dialogs::Icon;

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

const QByteArray kStartupSave = QByteArray("\"_1_0\"\r\n\"Escenario 1\r\n\"\r\n");

TEST_F(WindowTest, NewGameAsksFirstAndNoKeepsEverything) {
    enter("zarpar");
    enter("acercarse a las aves marinas");
    dialogs->answers = {Answer::No};
    QTest::mouseClick(control("cmdNuevoJuego"), Qt::LeftButton);

    ASSERT_EQ(dialogs->boxes.size(), 1U);
    EXPECT_EQ(dialogs->boxes[0].text, QStringLiteral("¿Desea reempezar todo?"));
    EXPECT_EQ(dialogs->boxes[0].title, "Nuevo juego");
    EXPECT_EQ(dialogs->boxes[0].icon, Icon::Exclamation);
    EXPECT_EQ(dialogs->boxes[0].buttons, Dialogs::Buttons::YesNo);
    EXPECT_EQ(window->game().strEstado, "_2_2");
    EXPECT_EQ(verdict(), "Fin");
    EXPECT_EQ(visiblePictures(), std::vector<QString>{"pic_2_2"});

    dialogs->answers = {Answer::Yes};
    window->cmdNuevoJuego_Click();
    EXPECT_EQ(window->game().strEstado, "_1_0");
    EXPECT_EQ(visiblePictures(), std::vector<QString>{"pic_1_0"});
    EXPECT_EQ(verdict(), "");
    EXPECT_EQ(entry()->text(), "");
    EXPECT_FALSE(sceneBox()->isVisible());
    EXPECT_DOUBLE_EQ(sceneBox()->font().pointSizeF(), 11.0);
}

TEST_F(WindowTest, SaveRightAfterStartWritesTheFirstSceneExactly) {
    dialogs->files = {path("partida.txt")};
    window->cmdSave_Click();
    ASSERT_EQ(dialogs->fileQuestions.size(), 1U);
    EXPECT_EQ(dialogs->fileQuestions[0].title, "Guardar progreso como...");
    EXPECT_EQ(dialogs->fileQuestions[0].filter.description, "Documentos .txt (*.txt) ");
    EXPECT_EQ(dialogs->fileQuestions[0].filter.pattern, "*.txt");
    EXPECT_EQ(contents(path("partida.txt")), kStartupSave);
    EXPECT_TRUE(dialogs->boxes.empty()) << "a new name asks no question";
    EXPECT_EQ(window->windowTitle(),
              "..." + QDir::toNativeSeparators(path("partida.txt")).right(50) + " - Quivra");
}

TEST_F(WindowTest, SaveWithACurrentFileWritesAtOnce) {
    dialogs->files = {path("partida.txt")};
    window->cmdSaveAs_Click();
    const QString caption = window->windowTitle();
    enter("zarpar");
    window->cmdSave_Click();
    EXPECT_EQ(dialogs->fileQuestions.size(), 1U);
    EXPECT_TRUE(dialogs->boxes.empty());
    EXPECT_EQ(window->windowTitle(), caption);
    EXPECT_TRUE(contents(path("partida.txt")).startsWith("\"_2_0\"\r\n\"Zarpamos"));
}

TEST_F(WindowTest, CancelledSaveSaysSoAndKeepsNoFile) {
    dialogs->files = {std::nullopt};
    window->cmdSave_Click();
    ASSERT_EQ(dialogs->boxes.size(), 1U);
    EXPECT_EQ(dialogs->boxes[0].text, "No se ha guardado el archivo...");
    EXPECT_EQ(dialogs->boxes[0].title, "Quivra");
    EXPECT_EQ(dialogs->boxes[0].icon, Icon::None);
    EXPECT_EQ(window->currentFile(), "");
    EXPECT_EQ(window->windowTitle(), "Quivra");
}

TEST_F(WindowTest, OverwriteQuestionDeclinedKeepsFileAndCurrentName) {
    writeFile(path("vieja.txt"), "no tocar");
    dialogs->files = {path("actual.txt"), path("vieja.txt")};
    window->cmdSaveAs_Click();
    const QString caption = window->windowTitle();
    dialogs->answers = {Answer::No};
    window->cmdSaveAs_Click();

    ASSERT_EQ(dialogs->boxes.size(), 1U);
    EXPECT_EQ(dialogs->boxes[0].text, QStringLiteral("¿Sobreescribir?"));
    EXPECT_EQ(dialogs->boxes[0].title, QDir::toNativeSeparators(path("vieja.txt")).right(60));
    EXPECT_EQ(dialogs->boxes[0].icon, Icon::Exclamation);
    EXPECT_EQ(dialogs->beeps, 1);
    EXPECT_EQ(contents(path("vieja.txt")), "no tocar");
    EXPECT_EQ(window->windowTitle(), caption);
    EXPECT_EQ(window->currentFile(), QDir::toNativeSeparators(path("actual.txt")));

    enter("zarpar");
    window->cmdSave_Click();
    EXPECT_EQ(contents(path("vieja.txt")), "no tocar") << "Save goes to the file still current";
}

TEST_F(WindowTest, OverwriteQuestionAnsweredYesReplacesTheFile) {
    writeFile(path("vieja.txt"), "antes");
    dialogs->files = {path("vieja.txt"), path("vieja.txt")};
    dialogs->answers = {Answer::Yes, Answer::Yes};
    window->cmdSaveAs_Click();
    EXPECT_EQ(contents(path("vieja.txt")), kStartupSave);
    window->cmdSaveAs_Click();
    EXPECT_EQ(dialogs->boxes.size(), 2U) << "the current file exists too, so it is asked again";
}

TEST_F(WindowTest, SaveThatCannotBeWrittenSaysSoAndKeepsTheOldFile) {
    writeFile(path("protegida.txt"), "vieja partida");
    QFile::setPermissions(path("protegida.txt"), QFile::ReadOwner);
    QDir(folder.path()).mkdir("carpeta.txt");
    const QString targets[] = {path("carpeta.txt"), path("no-existe/partida.txt"),
                               path("protegida.txt")};
    dialogs->files = {path("buena.txt")};
    window->cmdSaveAs_Click();
    const QString caption = window->windowTitle();

    for (const QString& target : targets) {
        dialogs->boxes.clear();
        dialogs->files = {target};
        dialogs->answers = {Answer::Yes};
        window->cmdSaveAs_Click();
        ASSERT_FALSE(dialogs->boxes.empty()) << target.toStdString();
        EXPECT_EQ(dialogs->boxes.back().text, "No se ha guardado el archivo...");
        EXPECT_EQ(dialogs->boxes.back().title, "Quivra");
        EXPECT_EQ(window->windowTitle(), caption);
        EXPECT_EQ(window->currentFile(), QDir::toNativeSeparators(path("buena.txt")));
    }
    EXPECT_EQ(contents(path("protegida.txt")), "vieja partida");

    QFile::setPermissions(path("buena.txt"), QFile::ReadOwner);
    dialogs->boxes.clear();
    window->cmdSave_Click();
    ASSERT_EQ(dialogs->boxes.size(), 1U);
    EXPECT_EQ(dialogs->boxes[0].text, "No se ha guardado el archivo...");
}

// Looking at a pipe must not wait for a writer: the game answers at once and writes nothing.
TEST_F(WindowTest, SaveAsOntoSomethingNotAFileRefusesAtOnce) {
    const QString pipe = path("tuberia");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    dialogs->files = {pipe};
    window->cmdSaveAs_Click();
    ASSERT_EQ(dialogs->boxes.size(), 1U) << "no overwrite question";
    EXPECT_EQ(dialogs->boxes[0].text, "No se ha guardado el archivo...");
    EXPECT_EQ(window->windowTitle(), "Quivra");
}

TEST_F(WindowTest, OpenRestoresTheSavedScene) {
    enter("zarpar");
    enter("navegar hacia la balsa");
    const std::string raftPassage = window->sceneText();
    dialogs->files = {path("balsa.txt")};
    window->cmdSaveAs_Click();
    dialogs->answers = {Answer::Yes};
    window->cmdNuevoJuego_Click();

    dialogs->files = {path("balsa.txt")};
    window->cmdAbrirP_Click();
    EXPECT_EQ(dialogs->fileQuestions.back().title, "Abrir archivo de progreso...");
    EXPECT_FALSE(dialogs->fileQuestions.back().save);
    EXPECT_EQ(window->game().strEstado, "_2_1");
    EXPECT_EQ(window->sceneText(), raftPassage);
    EXPECT_TRUE(sceneBox()->isVisible());
    EXPECT_TRUE(visiblePictures().empty());
    EXPECT_EQ(verdict(), "");
    EXPECT_TRUE(window->windowTitle().endsWith("balsa.txt - Quivra"));

    enter("subir a la balsa");
    EXPECT_EQ(window->game().strEstado, "_2_1_1");
}

TEST_F(WindowTest, OpenOfAPictureSceneShowsItsPictureAndKeepsTheBoxText) {
    writeFile(path("aves.txt"), "\"_2_2\"\r\n\"texto guardado\"\r\n");
    enter("zarpar");
    const std::string before = window->sceneText();
    dialogs->files = {path("aves.txt")};
    window->cmdAbrirP_Click();
    EXPECT_EQ(visiblePictures(), std::vector<QString>{"pic_2_2"});
    EXPECT_FALSE(sceneBox()->isVisible());

    dialogs->files = {path("otra.txt")};
    window->cmdSaveAs_Click();
    EXPECT_EQ(contents(path("otra.txt")),
              QByteArray("\"_2_2\"\r\n\"") +
                  QByteArray::fromStdString(quivra::toWindows1252(before)) + "\"\r\n");
}

TEST_F(WindowTest, FailedOpenLeavesTheFirstSceneAndNoCurrentFile) {
    writeFile(path("una-linea.txt"), "\"_3_0\"\r\n");
    writeFile(path("vacio.txt"), "");
    QDir(folder.path()).mkdir("carpeta");
    const std::optional<QString> failures[] = {std::nullopt, path("una-linea.txt"),
                                               path("vacio.txt"), path("carpeta"),
                                               path("no-existe.txt")};
    for (const auto& chosen : failures) {
        dialogs->files = {path("buena.txt")};
        window->cmdSaveAs_Click();
        enter("zarpar");
        dialogs->boxes.clear();

        dialogs->files = {chosen};
        window->cmdAbrirP_Click();
        ASSERT_EQ(dialogs->boxes.size(), 1U);
        EXPECT_EQ(dialogs->boxes[0].text, "No se abre el archivo...");
        EXPECT_EQ(dialogs->boxes[0].title, "Quivra");
        EXPECT_EQ(window->game().strEstado, "_1_0") << "a failed read changes no state";
        EXPECT_EQ(visiblePictures(), std::vector<QString>{"pic_1_0"});
        EXPECT_EQ(window->windowTitle(), "Quivra");
        EXPECT_EQ(window->currentFile(), "");
    }
    const QByteArray untouched = contents(path("una-linea.txt"));
    dialogs->files = {std::nullopt};
    window->cmdSave_Click();
    EXPECT_EQ(dialogs->fileQuestions.back().title, "Guardar progreso como...")
        << "Save asks a name";
    EXPECT_EQ(contents(path("una-linea.txt")), untouched);
}

TEST_F(WindowTest, CaptionShowsTheLastFiftyCharactersOfThePath) {
    for (const int extra : {0, 1, 30}) {
        QDir(folder.path()).mkpath(QString(extra + 1, u'd'));
        const QString file = path(QString(extra + 1, u'd') + QStringLiteral("/año ñandú.txt"));
        dialogs->files = {file};
        window->cmdSaveAs_Click();
        const QString native = QDir::toNativeSeparators(file);
        const QString expected = native.size() <= 50 ? native : native.right(50);
        EXPECT_EQ(window->windowTitle(), "..." + expected + " - Quivra");
        EXPECT_EQ(window->windowTitle().size(), 3 + std::min<qsizetype>(native.size(), 50) + 9);
        EXPECT_TRUE(QFile::exists(file)) << "a path with ñ and accents is written";
    }
}

TEST_F(WindowTest, ExitAsksAndEndsOnlyOnNo) {
    dialogs->answers = {Answer::Yes};
    window->cmdSalir_Click();
    ASSERT_EQ(dialogs->boxes.size(), 2U);
    EXPECT_EQ(dialogs->boxes[0].text, QStringLiteral("¿Desea guardar su progreso antes de salir?"));
    EXPECT_EQ(dialogs->boxes[0].title, "Salir de Quivra");
    EXPECT_EQ(dialogs->boxes[0].icon, Icon::Stop);
    EXPECT_EQ(dialogs->boxes[1].text, "Por favor guarde su progreso Ud. mismo...");
    EXPECT_EQ(dialogs->boxes[1].title, "Permanecer en el programa");
    EXPECT_EQ(dialogs->boxes[1].icon, Icon::Information);
    EXPECT_FALSE(dialogs->quitRequested);
    EXPECT_TRUE(window->isVisible());

    dialogs->answers = {Answer::No};
    window->cmdSalir_Click();
    EXPECT_TRUE(dialogs->quitRequested);
    EXPECT_FALSE(window->isVisible());
}

} // namespace
