#include "frmQuivra.hpp"

#include "controls.hpp"
#include "dialogs.hpp"
#include "interpreter.hpp"
#include "window_design.hpp"

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
#include <vector>

namespace {

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
        for (CommandButton* command : findChildren<CommandButton*>()) {
            command->addSharpPicture();
        }
    });
}

frmQuivra::~frmQuivra() = default;

// Controls are created in the design's stored order, at its positions in pixels, with its
// texts, then set up by kind.
void frmQuivra::createControls() {
    std::vector<std::pair<int, QWidget*>> tabOrder;
    for (const quivra::ControlDesign& design : quivra::windowDesign()) {
        QWidget* control = create(design);
        control->setObjectName(toQString(design.name));
        control->setGeometry(design.pixels.left, design.pixels.top, design.pixels.width,
                             design.pixels.height);
        control->setToolTip(toQString(design.tooltip));
        control->setAccessibleName(toQString(design.accessibleName));
        tabOrder.emplace_back(design.tabIndex, control);
    }
    for (const quivra::Picture picture : quivra::kAllPictures) {
        pictures_[static_cast<std::size_t>(picture)] =
            findChild<PictureBox*>(toQString(quivra::pictureBox(picture).name));
    }
    // Hidden controls are skipped by Qt.
    std::ranges::sort(tabOrder);
    for (std::size_t i = 1; i < tabOrder.size(); ++i) {
        QWidget::setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    }
    setUpTextBoxes();
    setUpCredit();
    connectHandlers();
}

QWidget* frmQuivra::create(const quivra::ControlDesign& design) {
    switch (design.kind) {
    case quivra::ControlKind::Hints:
        return txtHints = new QPlainTextEdit(this);
    case quivra::ControlKind::PictureBox: {
        auto* box = new PictureBox(QStringLiteral(":/%1.jpg").arg(toQString(design.name)), this);
        box->setAccessibleDescription(toQString(design.description));
        return box;
    }
    case quivra::ControlKind::Button: {
        auto* command = new CommandButton(toQString(design.caption), this);
        if (!design.image.empty()) {
            command->setPicture(QStringLiteral(":/%1.png").arg(toQString(design.image)),
                                {design.imageWidth, design.imageHeight});
        }
        return command;
    }
    case quivra::ControlKind::Verdict:
        return txtOkOrNot = new BoxedLineEdit(this);
    case quivra::ControlKind::Entry:
        return txtComando = new QLineEdit(this);
    case quivra::ControlKind::Scene:
        return txtEscenario = new QPlainTextEdit(this);
    case quivra::ControlKind::Label:
        break;
    }
    return lblAbout = new QLabel(toQString(design.caption), this);
}

PictureBox* frmQuivra::pictureBox(quivra::Picture picture) const {
    return pictures_[static_cast<std::size_t>(picture)];
}

void frmQuivra::setUpTextBoxes() {
    txtHints->setPlainText(toQString(quivra::hintList()));
    txtHints->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtHints->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtHints->setTabChangesFocus(true);
    setColours(txtHints, QColor(0, 128, 128), QColor(224, 224, 224));

    txtOkOrNot->setReadOnly(true);
    txtOkOrNot->setAlignment(Qt::AlignCenter);
    txtOkOrNot->setFont(timesNewRoman(12));

    txtComando->setFont(sansSerif(9.75));
    setColours(txtComando, Qt::white, Qt::black);
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
    setSceneText(quivra::kInitialSceneText);
}

void frmQuivra::setUpCredit() {
    lblAbout->setAlignment(Qt::AlignCenter);
    lblAbout->setWordWrap(true);
    lblAbout->setFont(sansSerif(8.25, true));
    lblAbout->setBackgroundRole(QPalette::Button);
    lblAbout->setForegroundRole(QPalette::ButtonText);
    lblAbout->setAutoFillBackground(true);
}

void frmQuivra::connectHandlers() {
    const std::pair<const char*, void (frmQuivra::*)()> handlers[] = {
        {"cmdIr", &frmQuivra::cmdIr_Click},
        {"cmdNuevoJuego", &frmQuivra::cmdNuevoJuego_Click},
        {"cmdAbrirP", &frmQuivra::cmdAbrirP_Click},
        {"cmdSave", &frmQuivra::cmdSave_Click},
        {"cmdSaveAs", &frmQuivra::cmdSaveAs_Click},
        {"cmdSalir", &frmQuivra::cmdSalir_Click}};
    for (const auto& [name, handler] : handlers) {
        connect(findChild<CommandButton*>(QLatin1StringView(name)), &QToolButton::clicked, this,
                handler);
    }
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
