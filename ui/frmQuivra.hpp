// SPDX-FileCopyrightText: 2026 Quivra developers
// SPDX-License-Identifier: MIT

#pragma once

#include "commands.hpp"
#include "window_design.hpp"

#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <string>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace quivra::qt {

class Announcer;
class CommandButton;
class PictureBox;

// The game's one window. It supplies the commands' window on its controls and turns Qt
// events into the game's eight handlers; the game itself is quivra::Commands.
class frmQuivra : public QWidget, private quivra::Window {
public:
    // Without `dialogs` the window asks the platform's real dialogs.
    explicit frmQuivra(std::unique_ptr<quivra::Dialogs> dialogs = nullptr);
    ~frmQuivra() override;

    void Form_Load() { commands_.Form_Load(); }
    void txtComando_KeyPress(std::int16_t& KeyAscii) { commands_.txtComando_KeyPress(KeyAscii); }
    void cmdIr_Click() { commands_.cmdIr_Click(); }
    void cmdNuevoJuego_Click() { commands_.cmdNuevoJuego_Click(); }
    void cmdAbrirP_Click() { commands_.cmdAbrirP_Click(); }
    void cmdSave_Click() { commands_.cmdSave_Click(); }
    void cmdSaveAs_Click() { commands_.cmdSaveAs_Click(); }
    void cmdSalir_Click() { commands_.cmdSalir_Click(); }

    const quivra::GameState& game() const { return commands_.game(); }
    const std::string& currentFile() const { return commands_.currentFile(); }
    const std::string& sceneText() const { return commands_.sceneText(); }
    PictureBox* pictureBox(quivra::Picture picture) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createControls();
    QWidget* create(const quivra::ControlDesign& design);
    void setUpTextBoxes();
    void setUpCredit();
    void connectHandlers();

    std::string_view readEntryText() override;
    void writeSceneText(std::string_view text) override;
    void showSceneText(bool visible) override;
    void writeVerdict(std::string_view verdict) override;
    void showPicture(quivra::Picture picture, bool visible) override;
    void clearEntryText() override;
    void resetSceneFont() override;
    void setCaption(std::string_view caption) override;
    void announce(std::string_view text) override;

    std::unique_ptr<quivra::Dialogs> dialogs_;
    quivra::DiskFiles files_;
    quivra::Commands commands_;
    std::string entryText_;
    std::array<PictureBox*, quivra::kAllPictures.size()> pictures_{};
    Announcer* announcer_ = nullptr;
    // Said once the window is active: at start-up, and after a dialog, the screen reader's
    // news of the window's return would cut it short.
    QString unsaid_;

    QPlainTextEdit* txtHints = nullptr;
    QLineEdit* txtOkOrNot = nullptr;
    QLineEdit* txtComando = nullptr;
    QPlainTextEdit* txtEscenario = nullptr;
    QLabel* lblAbout = nullptr;
};

} // namespace quivra::qt
