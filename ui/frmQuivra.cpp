// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#include "frmQuivra.hpp"

#include "accessibility.hpp"
#include "controls.hpp"
#include "dialogs.hpp"
#include "first_frame.hpp"
#include "window_design.hpp"

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
#include <vector>

namespace quivra::qt {

namespace {

// The design's faces on Windows. Elsewhere the metric-compatible Liberation faces the game
// installs stand in, and alone: Qt looks up every face a font names, and each one costs
// start-up a search of the font configuration.
QFont fontOf(const quivra::Font& design) {
    QStringList families;
    for (const std::string_view family : design.families) {
#ifndef Q_OS_WIN
        if (!family.starts_with("Liberation")) {
            continue;
        }
#endif
        families << toQString(family);
    }
    QFont font;
    font.setFamilies(families);
    if (design.families.data() == quivra::kTimesFaces) {
        font.setStyleHint(QFont::Serif);
    }
    font.setPointSizeF(design.points);
    font.setBold(design.bold);
    return font;
}

// The design's colours on the palette; the desktop's own where the design names a system
// colour.
void setColours(QWidget* widget, const quivra::Colours& colours) {
    QPalette palette = widget->palette();
    const auto rgb = [](const quivra::Colour& c) { return QColor(c.red, c.green, c.blue); };
    if (colours.text.system == quivra::SystemColour::None) {
        palette.setColor(QPalette::Text, rgb(colours.text));
    }
    if (colours.background.system == quivra::SystemColour::None) {
        palette.setColor(QPalette::Base, rgb(colours.background));
    }
    widget->setPalette(palette);
    if (colours.background.system == quivra::SystemColour::ButtonFace) {
        widget->setBackgroundRole(QPalette::Button);
        widget->setForegroundRole(QPalette::ButtonText);
        widget->setAutoFillBackground(true);
    }
}

// The game's icon, a cloud, in both sizes and densities.
QIcon gameIcon() {
    QIcon icon;
    for (const char* size : {"16", "32"}) {
        icon.addFile(QStringLiteral(":/quivra-%1.png").arg(QLatin1StringView(size)));
        icon.addFile(QStringLiteral(":/quivra-%1@2x.png").arg(QLatin1StringView(size)));
    }
    return icon;
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

} // namespace

frmQuivra::frmQuivra(std::unique_ptr<quivra::Dialogs> dialogs)
    : dialogs_(dialogs ? std::move(dialogs) : std::make_unique<QtDialogs>(this)),
      commands_(*this, *dialogs_, files_), announcer_(new Announcer(this)) {
    installAccessibility();
    setObjectName(QStringLiteral("frmQuivra"));
    setFont(fontOf(quivra::kWindowFont));
    resize(quivra::kClientSize.width, quivra::kClientSize.height);
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
        setWindowIcon(gameIcon());
        // CommandButton has no meta-object, so findChildren<CommandButton*> would also take a
        // file dialog's tool buttons; only the window's own children are command buttons.
        for (QToolButton* button : findChildren<QToolButton*>(Qt::FindDirectChildrenOnly)) {
            if (auto* command = dynamic_cast<CommandButton*>(button)) {
                command->addSharpPicture();
            }
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
        control->setGeometry(design.bounds.left, design.bounds.top, design.bounds.width,
                             design.bounds.height);
        control->setToolTip(toQString(design.tooltip));
        control->setAccessibleName(toQString(design.accessibleName));
        if (design.kind != quivra::ControlKind::PictureBox) {
            control->setFont(fontOf(design.font));
            setColours(control, design.colours);
        }
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
        if (!design.image.name.empty()) {
            command->setPicture(QStringLiteral(":/%1.png").arg(toQString(design.image.name)),
                                {design.image.width, design.image.height});
        }
        connect(command, &QToolButton::clicked, this,
                [this, run = design.command] { commands_.click(run); });
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

    txtOkOrNot->setReadOnly(true);
    txtOkOrNot->setAlignment(Qt::AlignCenter);

    txtComando->installEventFilter(this);

    txtEscenario->setReadOnly(true);
    txtEscenario->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    txtEscenario->setFrameStyle(QFrame::Box | QFrame::Plain);
    txtEscenario->setLineWidth(1);
    txtEscenario->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtEscenario->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtEscenario->setTabChangesFocus(true);
    // Read-only, so nothing to undo; the text is replaced in place, which would record it.
    txtEscenario->setUndoRedoEnabled(false);
    replacePlainText(txtEscenario, toQString(quivra::kInitialSceneText));
}

void frmQuivra::setUpCredit() {
    lblAbout->setAlignment(Qt::AlignCenter);
    lblAbout->setWordWrap(true);
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
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !unsaid_.isEmpty()) {
        QTimer::singleShot(0, this, [this] { announce({}); });
    }
    QWidget::changeEvent(event);
}

// Screen readers speak changes to the focused entry box only, so what a command changed is
// said through the announcer.
void frmQuivra::announce(std::string_view text) {
    if (!text.empty()) {
        unsaid_ = toQString(text);
    }
    if (isActiveWindow() && !unsaid_.isEmpty()) {
        announcer_->say(unsaid_);
        unsaid_.clear();
    }
}

std::string_view frmQuivra::readEntryText() {
    entryText_ = txtComando->text().toStdString();
    return entryText_;
}

void frmQuivra::writeSceneText(std::string_view text) {
    replacePlainText(txtEscenario, toQString(text));
}

void frmQuivra::showSceneText(bool visible) {
    txtEscenario->setVisible(visible);
}

void frmQuivra::writeVerdict(std::string_view verdict) {
    txtOkOrNot->setText(toQString(verdict));
}

void frmQuivra::showPicture(quivra::Picture picture, bool visible) {
    pictureBox(picture)->setVisible(visible);
}

void frmQuivra::clearEntryText() {
    txtComando->clear();
}

void frmQuivra::resetSceneFont() {
    txtEscenario->setFont(fontOf(quivra::kResetSceneFont));
}

void frmQuivra::setCaption(std::string_view caption) {
    setWindowTitle(toQString(caption));
}

} // namespace quivra::qt
