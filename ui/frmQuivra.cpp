#include "frmQuivra.hpp"

#include "controls.hpp"
#include "interpreter.hpp"
#include "progress_file.hpp"

#include <QAccessible>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <filesystem>
#include <functional>

namespace {

const QString kTitle = QStringLiteral("Quivra");
const QString kOpenTitle = QStringLiteral("Abrir archivo de progreso...");
const QString kSaveTitle = QStringLiteral("Guardar progreso como...");
const Dialogs::FileFilter kProgressFiles{QStringLiteral("Documentos .txt (*.txt) "),
                                         QStringLiteral("*.txt")};
const QString kCannotOpen = QStringLiteral("No se abre el archivo...");
const QString kNotSaved = QStringLiteral("No se ha guardado el archivo...");

const char* const kInitialSceneText = "Escenario 1\r\n";
const QString kHints = QStringLiteral(
    "construir barco / aprovisionarse / zarpar / continuar / navegar hacia la balsa / "
    "acercarse a las aves marinas / retornar a tierra / subir a la balsa / luchar con los "
    "tiburones / navegar / regresar al barco / saltar al agua / descansar / explorar / hacer "
    "una fogata / acampar / explorar la isla / estudiar las conchas / internarse en la maleza / "
    "subir a la balsa / aprovisionarse / arreglar problemas espirituales /\r\n");

// The design's faces on Windows. Elsewhere the metric-compatible Liberation faces stand in,
// and alone: Qt looks up every face a font names, and each one costs start-up a search of
// the font configuration.
#ifdef Q_OS_WIN
const QStringList kSansSerifFaces{QStringLiteral("MS Sans Serif"),
                                  QStringLiteral("Microsoft Sans Serif"),
                                  QStringLiteral("Liberation Sans"), QStringLiteral("Arial")};
const QStringList kTimesFaces{QStringLiteral("Times New Roman"),
                              QStringLiteral("Liberation Serif")};
#else
const QStringList kSansSerifFaces{QStringLiteral("Liberation Sans")};
const QStringList kTimesFaces{QStringLiteral("Liberation Serif")};
#endif

QFont sansSerif(qreal points, bool bold = false) {
    QFont font;
    font.setFamilies(kSansSerifFaces);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QFont timesNewRoman(qreal points) {
    QFont font;
    font.setFamilies(kTimesFaces);
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(points);
    return font;
}

QIcon cloud() {
    QIcon icon;
    for (const char* size : {"16", "32"}) {
        icon.addFile(QStringLiteral(":/quivra-%1.png").arg(QLatin1StringView(size)));
        icon.addFile(QStringLiteral(":/quivra-%1@2x.png").arg(QLatin1StringView(size)));
    }
    return icon;
}

// Runs `work` once `window` has sent out its first frame, so that what the frame does not
// show does not hold it up.
class AfterFirstFrame : public QObject {
public:
    AfterFirstFrame(QWidget* window, std::function<void()> work)
        : QObject(window), work_(std::move(work)) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // The window paints before its controls, and the frame goes out at the end of
            // the same pass: a queued call runs once the pass is over.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    work_();
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void()> work_;
};

// The last `count` characters of `text`, without splitting a surrogate pair.
QString lastCharacters(const QString& text, qsizetype count) {
    QString tail = text.right(count);
    if (!tail.isEmpty() && tail.front().isLowSurrogate()) {
        tail.remove(0, 1);
    }
    return tail;
}

// Unicode on every platform: UTF-16 on Windows, the file name encoding elsewhere.
std::filesystem::path toPath(const QString& path) {
    return QFileInfo(path).filesystemFilePath();
}

void announce(QWidget* widget, const QString& text) {
    QAccessibleTextUpdateEvent update(widget, 0, QString(), text);
    QAccessible::updateAccessibility(&update);
}

template <typename Control>
Control* place(Control* control, const char* name, QRect pixels) {
    control->setObjectName(QLatin1StringView(name));
    control->setGeometry(pixels);
    return control;
}

constexpr QRect kSceneArea{88, 16, 425, 225};

PictureBox* makePicture(QWidget* window, const char* name, const char* resource,
                        const QString& title, const QString& description) {
    auto* box = place(new PictureBox(QLatin1StringView(resource), window), name, kSceneArea);
    box->setAccessibleName(title);
    box->setAccessibleDescription(description);
    return box;
}

CommandButton* button(QWidget* window, const char* name, const QString& caption, QRect pixels,
                      const QString& tooltip) {
    auto* command = place(new CommandButton(caption, window), name, pixels);
    command->setToolTip(tooltip);
    command->setAccessibleName(QString(caption).remove(u'&'));
    return command;
}

// Puts `text` in place of the box's text, as QPlainTextEdit::setPlainText does, at a third of
// its cost: setPlainText rebuilds the document and shapes a passage three times (a paragraph
// is one run for the shaper, 3,544 characters for the longest), where an edit of the same
// paragraph with its shaped glyphs kept for the cursor and the painting shapes it once.
void replacePlainText(QPlainTextEdit* box, const QString& text) {
    QTextDocument* document = box->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        block.layout()->setCacheEnabled(true);
    }
    QTextCursor all(document);
    all.beginEditBlock();
    all.setPosition(document->characterCount() - 1, QTextCursor::KeepAnchor);
    all.insertText(text);
    all.endEditBlock();
    // Unmodified, at the top and with nothing selected, as setPlainText leaves it.
    document->setModified(false);
    box->setTextCursor(QTextCursor(document));
}

void paint(QWidget* widget, QColor text, QColor background) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Base, background);
    widget->setPalette(palette);
}

} // namespace

frmQuivra::frmQuivra(std::unique_ptr<Dialogs> dialogs)
    : dialogs_(dialogs ? std::move(dialogs) : std::make_unique<QtDialogs>(this)) {
    setObjectName(QStringLiteral("frmQuivra"));
    setWindowTitle(kTitle);
    setFont(sansSerif(8.25));
    resize(600, 486);
    createControls();
    Form_Load();
    // The scene box comes first in tab order but the reset hid it: the entry box is next.
    txtComando->setFocus();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    // The first frame shows neither the window's icon nor, on an ordinary screen, the
    // buttons' high-DPI drawings.
    new AfterFirstFrame(this, [this] {
        setWindowIcon(cloud());
        for (CommandButton* command : {cmdSalir, cmdAbrirP, cmdNuevoJuego, cmdSaveAs, cmdSave}) {
            command->addSharpPicture();
        }
    });
}

frmQuivra::~frmQuivra() = default;

// Controls are created in the design's stored order, at its positions in pixels.
void frmQuivra::createControls() {
    txtHints = place(new QPlainTextEdit(this), "txtHints", {8, 392, 185, 81});
    txtHints->setPlainText(kHints);
    txtHints->setToolTip(QStringLiteral("Hints."));
    txtHints->setAccessibleName(QStringLiteral("Pistas"));
    txtHints->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtHints->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtHints->setTabChangesFocus(true);
    paint(txtHints, QColor(0, 128, 128), QColor(224, 224, 224));

    pic_4_6 = makePicture(this, "pic_4_6", ":/pic_4_6.jpg", QStringLiteral("Una tabla en el mar"),
                          QStringLiteral("Bajo un cielo gris, una sola tabla flota entre las "
                                         "ondas de un mar azul oscuro."));
    pic_4_4 =
        makePicture(this, "pic_4_4", ":/pic_4_4.jpg", QStringLiteral("Restos del naufragio"),
                    QStringLiteral("Bajo un cielo gris con sol y aves, un mar verde oliva "
                                   "lleno de tablas rotas y una persona que nada entre ellas."));
    pic_4_2 = makePicture(this, "pic_4_2", ":/pic_4_2.jpg", QStringLiteral("Solo en la balsa"),
                          QStringLiteral("Una pequeña balsa de troncos con una figura de pie sobre "
                                         "un mar verde azulado; a lo lejos asoma una cola."));
    cmdIr = button(this, "cmdIr", QStringLiteral("Ir"), {472, 248, 41, 25}, QString());
    pic_4_0 = makePicture(this, "pic_4_0", ":/pic_4_0.jpg", QStringLiteral("La sirena"),
                          QStringLiteral("Una gran cola de pez parda se hunde en un mar verde "
                                         "azulado bajo un cielo celeste."));
    pic_2_2 = makePicture(this, "pic_2_2", ":/pic_2_2.jpg", QStringLiteral("Las aves marinas"),
                          QStringLiteral("Gaviotas en el cielo azul sobre un mar verde del que "
                                         "emerge un tiburón ballena azul pálido."));
    cmdSalir = button(this, "cmdSalir", QStringLiteral("Salir"), {272, 416, 241, 49},
                      QStringLiteral("Salir. Recuerde guardar su progreso antes de salir..."));
    cmdSalir->setPicture(QStringLiteral(":/salir-32.png"), {32, 32});
    cmdAbrirP = button(this, "cmdAbrirP", QStringLiteral("Abrir progreso..."), {272, 352, 113, 49},
                       QStringLiteral("Abrir un archivo .dat.txt que reiniciará el juego desde el "
                                      "punto almacenado en un juego anterior..."));
    cmdAbrirP->setPicture(QStringLiteral(":/abrir.png"), {16, 15});
    cmdNuevoJuego = button(this, "cmdNuevoJuego", QStringLiteral("Nuevo juego"),
                           {272, 288, 113, 49}, QStringLiteral("Reempezar desde cero..."));
    cmdNuevoJuego->setPicture(QStringLiteral(":/nuevo.png"), {24, 22});

    txtOkOrNot = place(new BoxedLineEdit(this), "txtOkOrNot", {88, 288, 169, 29});
    txtOkOrNot->setReadOnly(true);
    txtOkOrNot->setAlignment(Qt::AlignCenter);
    txtOkOrNot->setFont(timesNewRoman(12));
    txtOkOrNot->setToolTip(QStringLiteral("Aquí se muestra la respuesta de la computadora..."));
    txtOkOrNot->setAccessibleName(QStringLiteral("Respuesta"));

    cmdSaveAs = button(this, "cmdSaveAs", QStringLiteral("Guardar &como..."), {400, 352, 113, 49},
                       QStringLiteral("Guardar progreso como..."));
    cmdSaveAs->setPicture(QStringLiteral(":/guardar.png"), {16, 15});
    cmdSave = button(this, "cmdSave", QStringLiteral("&Guardar progreso"), {400, 288, 113, 49},
                     QStringLiteral("Guardar progreso actual en el archivo actual..."));
    cmdSave->setPicture(QStringLiteral(":/guardar.png"), {16, 15});

    txtComando = place(new QLineEdit(this), "txtComando", {88, 248, 377, 28});
    txtComando->setFont(sansSerif(9.75));
    paint(txtComando, Qt::white, Qt::black);
    txtComando->setToolTip(QStringLiteral("comando."));
    txtComando->setAccessibleName(QStringLiteral("Comando"));
    txtComando->installEventFilter(this);

    pic_1_0 =
        makePicture(this, "pic_1_0", ":/pic_1_0.jpg", QStringLiteral("El barco a medio hacer"),
                    QStringLiteral("Un barco de madera a medio construir, con tres mástiles "
                                   "desnudos, en una playa anaranjada al pie de colinas "
                                   "verdes y montañas."));

    txtEscenario = place(new QPlainTextEdit(this), "txtEscenario", kSceneArea);
    txtEscenario->setReadOnly(true);
    txtEscenario->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    txtEscenario->setFont(timesNewRoman(11.25));
    txtEscenario->setFrameStyle(QFrame::Box | QFrame::Plain);
    txtEscenario->setLineWidth(1);
    txtEscenario->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtEscenario->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtEscenario->setTabChangesFocus(true);
    // Read-only, so nothing to undo; the text is replaced in place, which would record it.
    txtEscenario->setUndoRedoEnabled(false);
    txtEscenario->setAccessibleName(QStringLiteral("Escenario"));
    setSceneText(kInitialSceneText);

    pic_2_0_2 =
        makePicture(this, "pic_2_0_2", ":/pic_2_0_2.jpg", QStringLiteral("Las islas"),
                    QStringLiteral("Una playa de arena con una palmera a la izquierda, "
                                   "olas turquesa, el mar azul y una isla verde a lo lejos."));

    lblAbout = place(new QLabel(QStringLiteral("Quivra, un relato interactivo del mar, "
                                               "Versión " QUIVRA_VERSION),
                                this),
                     "lblAbout", {104, 328, 137, 49});
    lblAbout->setAlignment(Qt::AlignCenter);
    lblAbout->setWordWrap(true);
    lblAbout->setFont(sansSerif(8.25, true));
    lblAbout->setBackgroundRole(QPalette::Button);
    lblAbout->setForegroundRole(QPalette::ButtonText);
    lblAbout->setAutoFillBackground(true);

    // Tab order follows the design's tab indices; hidden controls are skipped by Qt.
    const QWidget* order[] = {txtEscenario,  txtComando, cmdSave,  cmdSaveAs, txtOkOrNot, pic_1_0,
                              cmdNuevoJuego, cmdAbrirP,  cmdSalir, pic_2_2,   pic_4_0,    cmdIr,
                              pic_4_2,       pic_2_0_2,  pic_4_4,  pic_4_6,   txtHints};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(const_cast<QWidget*>(order[i - 1]), const_cast<QWidget*>(order[i]));
    }

    connect(cmdIr, &QToolButton::clicked, this, &frmQuivra::cmdIr_Click);
    connect(cmdNuevoJuego, &QToolButton::clicked, this, &frmQuivra::cmdNuevoJuego_Click);
    connect(cmdAbrirP, &QToolButton::clicked, this, &frmQuivra::cmdAbrirP_Click);
    connect(cmdSave, &QToolButton::clicked, this, &frmQuivra::cmdSave_Click);
    connect(cmdSaveAs, &QToolButton::clicked, this, &frmQuivra::cmdSaveAs_Click);
    connect(cmdSalir, &QToolButton::clicked, this, &frmQuivra::cmdSalir_Click);
}

PictureBox* frmQuivra::pictureBox(quivra::Picture picture) const {
    using enum quivra::Picture;
    switch (picture) {
    case pic_1_0:
        return this->pic_1_0;
    case pic_2_0_2:
        return this->pic_2_0_2;
    case pic_2_2:
        return this->pic_2_2;
    case pic_4_0:
        return this->pic_4_0;
    case pic_4_2:
        return this->pic_4_2;
    case pic_4_4:
        return this->pic_4_4;
    case pic_4_6:
        return this->pic_4_6;
    }
    return nullptr;
}

// Enter arrives as character code 13, as the keypad's Enter does; other keys pass their
// character. The key goes on to the entry box either way.
bool frmQuivra::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtComando && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        std::int16_t KeyAscii = 0;
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            KeyAscii = quivra::kEnterKey;
        } else if (!key->text().isEmpty()) {
            KeyAscii = static_cast<std::int16_t>(key->text().front().unicode());
        } else {
            return false;
        }
        txtComando_KeyPress(KeyAscii);
    }
    return false;
}

void frmQuivra::Form_Load() {
    game_.strEstado = quivra::kFirstScene;
    game_.strComando.clear();
    txtComando->setText(QString::fromStdString(game_.strComando));
    game_.strRelato.clear();
    pic_1_0->show();
    pic_2_2->hide();
    pic_2_0_2->hide();
    pic_4_0->hide();
    pic_4_2->hide();
    pic_4_4->hide();
    pic_4_6->hide();
    txtEscenario->hide();
    txtOkOrNot->setText(QString());
    strArchivo.clear();
    setWindowTitle(kTitle);
    txtEscenario->setFont(timesNewRoman(11));
}

void frmQuivra::txtComando_KeyPress(std::int16_t& KeyAscii) {
    quivra::pressKey(game_, *this, KeyAscii);
}

void frmQuivra::cmdIr_Click() {
    std::int16_t KeyAscii = quivra::kEnterKey;
    txtComando_KeyPress(KeyAscii);
}

void frmQuivra::cmdNuevoJuego_Click() {
    if (dialogs_->messageBox(QStringLiteral("¿Desea reempezar todo?"),
                             QStringLiteral("Nuevo juego"), Dialogs::Buttons::YesNo,
                             Dialogs::Icon::Exclamation) == Dialogs::Answer::Yes) {
        Form_Load();
    }
}

// A failed Open leaves no current progress file, so the next Save asks for a name
// instead of overwriting a file that never was a save of this game.
void frmQuivra::cmdAbrirP_Click() {
    Form_Load();
    const std::optional<QString> chosen = dialogs_->openFileName(kOpenTitle, kProgressFiles);
    std::optional<quivra::Progress> progress;
    if (chosen) {
        progress = quivra::readProgress(toPath(*chosen));
    }
    if (!progress) {
        inform(kCannotOpen);
        return;
    }
    strArchivo = QDir::toNativeSeparators(*chosen);
    game_.strEstado = std::move(progress->strEstado);
    game_.strRelato = std::move(progress->strRelato);
    setCaptionFromFile();
    quivra::restoreDisplay(game_, *this);
}

void frmQuivra::cmdSave_Click() {
    if (strArchivo.isEmpty()) {
        cmdSaveAs_Click();
        return;
    }
    if (!saveTo(strArchivo)) {
        inform(kNotSaved);
    }
}

// Declining the overwrite, or a write that fails, leaves the current file as it was, so a
// later Save cannot overwrite the file the player meant to protect.
void frmQuivra::cmdSaveAs_Click() {
    const std::optional<QString> chosen = dialogs_->saveFileName(kSaveTitle, kProgressFiles);
    if (!chosen) {
        inform(kNotSaved);
        return;
    }
    const QString path = QDir::toNativeSeparators(*chosen);
    QFile probe(path);
    blnExiste = probe.open(QIODevice::ReadOnly);
    probe.close();
    if (blnExiste && dialogs_->messageBox(QStringLiteral("¿Sobreescribir?"),
                                          lastCharacters(path, 60), Dialogs::Buttons::YesNo,
                                          Dialogs::Icon::Exclamation) == Dialogs::Answer::No) {
        dialogs_->beep();
        return;
    }
    if (!saveTo(path)) {
        inform(kNotSaved);
        return;
    }
    strArchivo = path;
    setCaptionFromFile();
}

void frmQuivra::cmdSalir_Click() {
    if (dialogs_->messageBox(QStringLiteral("¿Desea guardar su progreso antes de salir?"),
                             QStringLiteral("Salir de Quivra"), Dialogs::Buttons::YesNo,
                             Dialogs::Icon::Stop) == Dialogs::Answer::No) {
        close();
        dialogs_->quit();
        return;
    }
    dialogs_->messageBox(QStringLiteral("Por favor guarde su progreso Ud. mismo..."),
                         QStringLiteral("Permanecer en el programa"), Dialogs::Buttons::Ok,
                         Dialogs::Icon::Information);
}

// What is saved is the scene box's own text, shown or hidden, not the turn's narrative.
bool frmQuivra::saveTo(const QString& path) {
    game_.strRelato = sceneText_;
    return quivra::writeProgress(toPath(path), {game_.strEstado, game_.strRelato});
}

void frmQuivra::setCaptionFromFile() {
    setWindowTitle(QStringLiteral("...") + lastCharacters(strArchivo, 50) + QStringLiteral(" - ") +
                   kTitle);
}

void frmQuivra::inform(const QString& text) {
    dialogs_->messageBox(text, kTitle, Dialogs::Buttons::Ok, Dialogs::Icon::None);
}

// Qt turns CR LF into a paragraph break, so the exact text is kept beside the widget.
void frmQuivra::setSceneText(std::string_view text) {
    sceneText_ = text;
    const QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    replacePlainText(txtEscenario, shown);
    announce(txtEscenario, shown);
}

std::string_view frmQuivra::readEntryText() {
    entryText_ = txtComando->text().toStdString();
    return entryText_;
}

void frmQuivra::writeSceneText(std::string_view text) {
    setSceneText(text);
}

void frmQuivra::showSceneText(bool visible) {
    txtEscenario->setVisible(visible);
}

void frmQuivra::writeVerdict(std::string_view verdict) {
    const QString shown = QString::fromUtf8(verdict.data(), static_cast<qsizetype>(verdict.size()));
    txtOkOrNot->setText(shown);
    announce(txtOkOrNot, shown);
}

void frmQuivra::showPicture(quivra::Picture picture, bool visible) {
    pictureBox(picture)->setVisible(visible);
}
