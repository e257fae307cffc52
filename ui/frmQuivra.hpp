#pragma once

#include "dialogs.hpp"
#include "game_state.hpp"
#include "view.hpp"

#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>
#include <string>

class Announcer;
class CommandButton;
class PictureBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

// The game's one window. It owns the game state, supplies the engine's view operations on
// its controls, and turns Qt events into the game's eight handlers.
class frmQuivra : public QWidget, private quivra::View {
public:
    // Without `dialogs` the window asks the platform's real dialogs.
    explicit frmQuivra(std::unique_ptr<Dialogs> dialogs = nullptr);
    ~frmQuivra() override;

    void Form_Load();
    void txtComando_KeyPress(std::int16_t& KeyAscii);
    void cmdIr_Click();
    void cmdNuevoJuego_Click();
    void cmdAbrirP_Click();
    void cmdSave_Click();
    void cmdSaveAs_Click();
    void cmdSalir_Click();

    const quivra::GameState& game() const { return game_; }
    const QString& currentFile() const { return strArchivo; }
    // The scene text exactly as written, line ends included, which the widget cannot keep.
    const std::string& sceneText() const { return sceneText_; }
    PictureBox* pictureBox(quivra::Picture picture) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createControls();
    void setSceneText(std::string_view text);
    void setCaptionFromFile();
    bool saveTo(const QString& path);
    void inform(const QString& text);
    void announceChanges();

    std::string_view readEntryText() override;
    void writeSceneText(std::string_view text) override;
    void showSceneText(bool visible) override;
    void writeVerdict(std::string_view verdict) override;
    void showPicture(quivra::Picture picture, bool visible) override;

    quivra::GameState game_;
    QString strArchivo;
    bool blnExiste = false;
    std::string sceneText_;
    std::string entryText_;
    std::unique_ptr<Dialogs> dialogs_;
    Announcer* announcer_ = nullptr;
    // What the turn under way changed on screen, said once it is over.
    QString newVerdict_;
    bool newSceneText_ = false;
    PictureBox* newPicture_ = nullptr;
    bool announceOnActivation_ = false;

    QPlainTextEdit* txtHints = nullptr;
    PictureBox* pic_4_6 = nullptr;
    PictureBox* pic_4_4 = nullptr;
    PictureBox* pic_4_2 = nullptr;
    CommandButton* cmdIr = nullptr;
    PictureBox* pic_4_0 = nullptr;
    PictureBox* pic_2_2 = nullptr;
    CommandButton* cmdSalir = nullptr;
    CommandButton* cmdAbrirP = nullptr;
    CommandButton* cmdNuevoJuego = nullptr;
    QLineEdit* txtOkOrNot = nullptr;
    CommandButton* cmdSaveAs = nullptr;
    CommandButton* cmdSave = nullptr;
    QLineEdit* txtComando = nullptr;
    PictureBox* pic_1_0 = nullptr;
    QPlainTextEdit* txtEscenario = nullptr;
    PictureBox* pic_2_0_2 = nullptr;
    QLabel* lblAbout = nullptr;
};
