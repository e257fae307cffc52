#include "frmQuivra.hpp"

#include "controls.hpp"
#include "dialogs.hpp"
#include "interpreter.hpp"

#include <QAccessible>
#include <QAccessibleWidget>
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
#include <QTimer>
#include <algorithm>
#include <functional>

namespace {

const char* const kInitialSceneText = "Escenario 1\r\n";
const QString kHints = QStringLiteral(
    "construir barco / aprovisionarse / zarpar / continuar / navegar hacia la balsa / "
    "acercarse a las aves marinas / retornar a tierra / subir a la balsa / luchar con los "
    "tiburones / navegar / regresar al barco / saltar al agua / descansar / explorar / hacer "
    "una fogata / acampar / explorar la isla / estudiar las conchas / internarse en la maleza / "
    "subir a la balsa / aprovisionarse / arreglar problemas espirituales /\r\n");

// Each picture box, named after its scene, with what a screen reader says of it.
struct PictureDesign {
    quivra::Picture picture;
    const char* name;
    const char* title;
    const char* description;
};

// clang-format off
const PictureDesign kPictures[] = {
    {quivra::Picture::pic_1_0, "pic_1_0", "El barco a medio hacer",
     "Bajo un cielo azul, un barco de madera a medio construir, con tres mástiles desnudos y la "
     "proa aún en cuadernas, descansa sobre calzos en una playa anaranjada, con colinas verdes y "
     "montañas al fondo. Abajo se lee: El barco está a medio construir y aquí, a solas, me "
     "inquieto. ¡Debo zarpar!"},
    {quivra::Picture::pic_2_0_2, "pic_2_0_2", "Las islas",
     "En una playa de arena con una palmera inclinada a la izquierda, las olas turquesa dejan su "
     "espuma sobre la arena mojada, y en el horizonte de un mar azul asoma una islita de cima "
     "verde."},
    {quivra::Picture::pic_2_2, "pic_2_2", "Las aves marinas",
     "Bajo un cielo azul surcado de nubes alargadas, unas gaviotas vuelan en círculos sobre un mar "
     "verde del que emerge, de costado, un tiburón ballena azul pálido moteado de blanco. Arriba, "
     "a la izquierda, se lee: Giro el timón hacia las aves que vuelan en círculos y veo surgir de "
     "las profundidades un tiburón ballena."},
    {quivra::Picture::pic_4_0, "pic_4_0", "La sirena",
     "Bajo un cielo cian, una gran cola parda de pez se curva y se hunde en un mar verde azulado, "
     "chorreando agua, cerca de la esquina de nuestra balsa de troncos. Arriba se lee: Ya cerca de "
     "mar abierto, vemos algo engañoso: lo que parece una sirena nada delante de nosotros y luego "
     "se hunde en el mar."},
    {quivra::Picture::pic_4_2, "pic_4_2", "Solo en la balsa",
     "Sobre una pequeña balsa de troncos, en un mar verde azulado, un hombre de pie se hace visera "
     "con la mano y mira una cola de pez que asoma a lo lejos, bajo el sol de la tarde. Arriba se "
     "lee: AÚN CONSERVO LA ESPERANZA, Y SÉ QUE DEBO APARTARME DE UN DIOS BLASFEMO."},
    {quivra::Picture::pic_4_4, "pic_4_4", "Restos del naufragio",
     "Bajo un cielo gris con un sol velado y unas aves, un mar turbio de color verde oliva está "
     "sembrado de tablas rotas, entre las que una persona nada a crol."},
    {quivra::Picture::pic_4_6, "pic_4_6", "Una tabla en el mar",
     "Bajo un cielo gris encapotado, una sola tabla flota, medio hundida, entre los círculos que se "
     "abren en un mar azul oscuro."},
};
// clang-format on

std::size_t indexOf(quivra::Picture picture) {
    return static_cast<std::size_t>(picture);
}

const PictureDesign& designOf(quivra::Picture picture) {
    return *std::ranges::find(kPictures, picture, &PictureDesign::picture);
}

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

// The window is named by its caption, and lists the announcer as its last child.
class AccessibleGameWindow : public QAccessibleWidget {
public:
    explicit AccessibleGameWindow(QWidget* window)
        : QAccessibleWidget(window, QAccessible::Window) {}

    int childCount() const override { return QAccessibleWidget::childCount() + 1; }
    QAccessibleInterface* child(int index) const override {
        return index == QAccessibleWidget::childCount() ? announcer()
                                                        : QAccessibleWidget::child(index);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child == announcer() ? QAccessibleWidget::childCount()
                                    : QAccessibleWidget::indexOfChild(child);
    }

private:
    QAccessibleInterface* announcer() const {
        return QAccessible::queryAccessibleInterface(
            widget()->findChild<Announcer*>(QString(), Qt::FindDirectChildrenOnly));
    }
};

QAccessibleInterface* accessibleInterface(const QString& /*className*/, QObject* object) {
    if (auto* window = dynamic_cast<frmQuivra*>(object)) {
        return new AccessibleGameWindow(window);
    }
    return accessibleControl(object);
}

template <typename Control>
Control* place(Control* control, const char* name, QRect pixels) {
    control->setObjectName(QLatin1StringView(name));
    control->setGeometry(pixels);
    return control;
}

constexpr QRect kSceneArea{88, 16, 425, 225};

CommandButton* button(QWidget* window, const char* name, const QString& caption, QRect pixels) {
    auto* command = place(new CommandButton(caption, window), name, pixels);
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

void setColours(QWidget* widget, QColor text, QColor background) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Base, background);
    widget->setPalette(palette);
}

} // namespace

frmQuivra::frmQuivra(std::unique_ptr<quivra::Dialogs> dialogs)
    : dialogs_(dialogs ? std::move(dialogs) : std::make_unique<QtDialogs>(this)),
      commands_(*this, *dialogs_, files_), announcer_(new Announcer(this)) {
    QAccessible::installFactory(accessibleInterface);
    setObjectName(QStringLiteral("frmQuivra"));
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

// Controls are created in the design's stored order, at its positions in pixels, then set
// up by kind.
void frmQuivra::createControls() {
    using enum quivra::Picture;
    txtHints = place(new QPlainTextEdit(this), "txtHints", {8, 392, 185, 81});
    makePicture(pic_4_6);
    makePicture(pic_4_4);
    makePicture(pic_4_2);
    cmdIr = button(this, "cmdIr", QStringLiteral("Ir"), {472, 248, 41, 25});
    makePicture(pic_4_0);
    makePicture(pic_2_2);
    cmdSalir = button(this, "cmdSalir", QStringLiteral("Salir"), {272, 416, 241, 49});
    cmdAbrirP = button(this, "cmdAbrirP", QStringLiteral("Abrir progreso..."), {272, 352, 113, 49});
    cmdNuevoJuego =
        button(this, "cmdNuevoJuego", QStringLiteral("Nuevo juego"), {272, 288, 113, 49});
    txtOkOrNot = place(new BoxedLineEdit(this), "txtOkOrNot", {88, 288, 169, 29});
    cmdSaveAs = button(this, "cmdSaveAs", QStringLiteral("Guardar &como..."), {400, 352, 113, 49});
    cmdSave = button(this, "cmdSave", QStringLiteral("&Guardar progreso"), {400, 288, 113, 49});
    txtComando = place(new QLineEdit(this), "txtComando", {88, 248, 377, 28});
    makePicture(pic_1_0);
    txtEscenario = place(new QPlainTextEdit(this), "txtEscenario", kSceneArea);
    makePicture(pic_2_0_2);
    lblAbout = place(new QLabel(this), "lblAbout", {104, 328, 137, 49});

    setUpTextBoxes();
    setUpButtons();
    setUpCredit();
    followTabIndices();
    connectHandlers();
}

// The one place where a picture of the story meets its box.
PictureBox* frmQuivra::makePicture(quivra::Picture picture) {
    const PictureDesign& design = designOf(picture);
    auto* box =
        place(new PictureBox(QStringLiteral(":/%1.jpg").arg(QLatin1StringView(design.name)), this),
              design.name, kSceneArea);
    box->setAccessibleName(QString::fromUtf8(design.title));
    box->setAccessibleDescription(QString::fromUtf8(design.description));
    pictures_[indexOf(picture)] = box;
    return box;
}

PictureBox* frmQuivra::pictureBox(quivra::Picture picture) const {
    return pictures_[indexOf(picture)];
}

void frmQuivra::setUpTextBoxes() {
    txtHints->setPlainText(kHints);
    txtHints->setToolTip(QStringLiteral("Hints."));
    txtHints->setAccessibleName(QStringLiteral("Pistas"));
    txtHints->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtHints->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtHints->setTabChangesFocus(true);
    setColours(txtHints, QColor(0, 128, 128), QColor(224, 224, 224));

    txtOkOrNot->setReadOnly(true);
    txtOkOrNot->setAlignment(Qt::AlignCenter);
    txtOkOrNot->setFont(timesNewRoman(12));
    txtOkOrNot->setToolTip(QStringLiteral("Aquí se muestra la respuesta de la computadora..."));
    txtOkOrNot->setAccessibleName(QStringLiteral("Respuesta"));

    txtComando->setFont(sansSerif(9.75));
    setColours(txtComando, Qt::white, Qt::black);
    txtComando->setToolTip(QStringLiteral("comando."));
    txtComando->setAccessibleName(QStringLiteral("Comando"));
    txtComando->installEventFilter(this);

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
}

void frmQuivra::setUpButtons() {
    cmdSalir->setToolTip(QStringLiteral("Salir. Recuerde guardar su progreso antes de salir..."));
    cmdSalir->setPicture(QStringLiteral(":/salir-32.png"), {32, 32});
    cmdAbrirP->setToolTip(QStringLiteral("Abrir un archivo .dat.txt que reiniciará el juego desde "
                                         "el punto almacenado en un juego anterior..."));
    cmdAbrirP->setPicture(QStringLiteral(":/abrir.png"), {16, 15});
    cmdNuevoJuego->setToolTip(QStringLiteral("Reempezar desde cero..."));
    cmdNuevoJuego->setPicture(QStringLiteral(":/nuevo.png"), {24, 22});
    cmdSaveAs->setToolTip(QStringLiteral("Guardar progreso como..."));
    cmdSaveAs->setPicture(QStringLiteral(":/guardar.png"), {16, 15});
    cmdSave->setToolTip(QStringLiteral("Guardar progreso actual en el archivo actual..."));
    cmdSave->setPicture(QStringLiteral(":/guardar.png"), {16, 15});
}

void frmQuivra::setUpCredit() {
    lblAbout->setText(
        QStringLiteral("Quivra, un relato interactivo del mar, Versión " QUIVRA_VERSION));
    lblAbout->setAlignment(Qt::AlignCenter);
    lblAbout->setWordWrap(true);
    lblAbout->setFont(sansSerif(8.25, true));
    lblAbout->setBackgroundRole(QPalette::Button);
    lblAbout->setForegroundRole(QPalette::ButtonText);
    lblAbout->setAutoFillBackground(true);
}

// Tab order follows the design's tab indices; hidden controls are skipped by Qt.
void frmQuivra::followTabIndices() {
    using enum quivra::Picture;
    // clang-format off
    QWidget* const order[] = {
        txtEscenario, txtComando, cmdSave, cmdSaveAs, txtOkOrNot, pictureBox(pic_1_0),
        cmdNuevoJuego, cmdAbrirP, cmdSalir, pictureBox(pic_2_2), pictureBox(pic_4_0), cmdIr,
        pictureBox(pic_4_2), pictureBox(pic_2_0_2), pictureBox(pic_4_4), pictureBox(pic_4_6),
        txtHints};
    // clang-format on
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void frmQuivra::connectHandlers() {
    connect(cmdIr, &QToolButton::clicked, this, &frmQuivra::cmdIr_Click);
    connect(cmdNuevoJuego, &QToolButton::clicked, this, &frmQuivra::cmdNuevoJuego_Click);
    connect(cmdAbrirP, &QToolButton::clicked, this, &frmQuivra::cmdAbrirP_Click);
    connect(cmdSave, &QToolButton::clicked, this, &frmQuivra::cmdSave_Click);
    connect(cmdSaveAs, &QToolButton::clicked, this, &frmQuivra::cmdSaveAs_Click);
    connect(cmdSalir, &QToolButton::clicked, this, &frmQuivra::cmdSalir_Click);
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

void frmQuivra::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && announceOnActivation_) {
        announceOnActivation_ = false;
        QTimer::singleShot(0, this, &frmQuivra::announceChanges);
    }
    QWidget::changeEvent(event);
}

void frmQuivra::txtComando_KeyPress(std::int16_t& KeyAscii) {
    changes_ = {};
    commands_.txtComando_KeyPress(KeyAscii);
    announceChanges();
}

void frmQuivra::cmdIr_Click() {
    changes_ = {};
    commands_.cmdIr_Click();
    announceChanges();
}

// Said once the window is back, or the screen reader's news of its return would cut it short.
void frmQuivra::cmdAbrirP_Click() {
    changes_ = {};
    commands_.cmdAbrirP_Click();
    if (isActiveWindow()) {
        announceChanges();
    } else {
        announceOnActivation_ = true;
    }
}

// Screen readers speak changes to the focused entry box only: say the command's, verdict
// first.
void frmQuivra::announceChanges() {
    QStringList said;
    if (!changes_.verdict.isEmpty()) {
        said << changes_.verdict;
    }
    if (changes_.picture != nullptr && changes_.picture->isVisible()) {
        said << changes_.picture->accessibleName() << changes_.picture->accessibleDescription();
    } else if (changes_.sceneText && txtEscenario->isVisible()) {
        said << txtEscenario->toPlainText();
    }
    changes_ = {};
    if (!said.isEmpty()) {
        announcer_->say(said.join(QStringLiteral(". ")));
    }
}

std::string_view frmQuivra::readEntryText() {
    entryText_ = txtComando->text().toStdString();
    return entryText_;
}

void frmQuivra::writeSceneText(std::string_view text) {
    setSceneText(text);
    changes_.sceneText = true;
}

void frmQuivra::setSceneText(std::string_view text) {
    sceneText_ = text;
    const QString shown = toQString(text);
    replacePlainText(txtEscenario, shown);
}

void frmQuivra::showSceneText(bool visible) {
    txtEscenario->setVisible(visible);
}

void frmQuivra::writeVerdict(std::string_view verdict) {
    const QString shown = toQString(verdict);
    txtOkOrNot->setText(shown);
    changes_.verdict = shown;
}

void frmQuivra::showPicture(quivra::Picture picture, bool visible) {
    pictureBox(picture)->setVisible(visible);
    if (visible) {
        changes_.picture = pictureBox(picture);
    }
}

void frmQuivra::clearEntryText() {
    txtComando->clear();
}

void frmQuivra::resetSceneFont() {
    txtEscenario->setFont(timesNewRoman(11));
}

void frmQuivra::setCaption(std::string_view caption) {
    setWindowTitle(toQString(caption));
}
