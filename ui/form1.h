// The main window: the Mach number and the wave's height ratio, each as a
// text box with a scroll bar, the calculate button, the flow picture above
// the pressure plot, the About command and the Teori menu (the second-order
// Cp over the pressure plot, the validity window). The window computes nothing
// itself; its handlers hand every action to the flow model. Controls and
// handlers keep the program's historic names (docs/design.md has a glossary).
#pragma once

#include "model/exportname.h"
#include "model/flowmodel.h"
#include "model/messenger.h"

#include <QMainWindow>

#include <memory>
#include <optional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPagedPaintDevice;
class QPushButton;
class QScrollBar;

namespace wavywall {

class Form_About;
class Form_Validity;
class MessageBoxMessenger;
class PictureBox;
class PlotDescriber;
class PlotMenu;
class ReadingNotes;
class TextBoxInputs;

class Form1 : public QMainWindow {
    Q_OBJECT

public:
    /// The flow model's messages go to the given messenger, which must
    /// outlive the window; without one, to a modal message box.
    explicit Form1(Messenger *messenger = nullptr, QWidget *parent = nullptr);
    ~Form1() override;

    /// The About window, once the About command has created it.
    Form_About *aboutWindow() const { return m_about.get(); }
    /// The validity window, once "Geçerlilik…" has created it.
    Form_Validity *validityWindow() const { return m_validity.get(); }

    const FlowModel &model() const { return *m_model; }

    /// The menu of the flow picture (Picture_Akım) or the pressure plot.
    PlotMenu &plotMenu(Plot plot) const;

    /// Prints both plots with the inputs on the page the printer gives.
    void printPlots(QPagedPaintDevice &page) const;

    /// Puts the given texts into their boxes and recalculates as HESAPLA
    /// does (the command line's --moo and --hbl).
    void calculateWith(const std::optional<QString> &moo, const std::optional<QString> &hbl);

private:
    void createMenus();
    void createControls(double dotsPerInch);
    void createFrameControls(double dotsPerInch);
    void createPlots(double dotsPerInch);
    void connectHandlers();
    void setTabOrderAndFocus();
    void createPlotMenus(Messenger &messenger);
    void afterRecalculation();
    void Nm_Yazdır_Click();

    void Form_Load();
    void Command1_Click();
    void HScroll_Moo_Change();
    void HScroll_HbL_Change();
    void Nm_About_Click();
    void Nm_İkinciMertebe_Click(bool checked);
    void Nm_BasitDalgaÇözümü_Click(bool checked);
    void Nm_Geçerlilik_Click();
    // The validity window, while open, shows the last recalculation.
    void followValidity();

    QAction *Nm_About = nullptr;
    QAction *Nm_İkinciMertebe = nullptr;
    QAction *Nm_BasitDalgaÇözümü = nullptr;
    QAction *Nm_Geçerlilik = nullptr;
    QGroupBox *Frame1 = nullptr;
    QScrollBar *HScroll_HbL = nullptr;
    QScrollBar *HScroll_Moo = nullptr;
    QLineEdit *Text_Moo = nullptr;
    QLineEdit *Text_HbL = nullptr;
    QPushButton *Command1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    PictureBox *Picture_basınç = nullptr;
    QLabel *Label4 = nullptr;
    PictureBox *Picture_Akım = nullptr;
    QLabel *Label3 = nullptr;
    // The pressure plot's legend: which colour is which layer.
    QLabel *Label_İkinciMertebe = nullptr;
    QLabel *Label_BasitDalgaÇözümü = nullptr;

    std::unique_ptr<MessageBoxMessenger> m_messageBox;
    std::unique_ptr<TextBoxInputs> m_inputs;
    // The model passes its messages through the describer and the notes,
    // which outlive it.
    std::unique_ptr<ReadingNotes> m_notes;
    std::unique_ptr<PlotDescriber> m_describer;
    std::unique_ptr<FlowModel> m_model;
    std::unique_ptr<Form_About> m_about;
    std::unique_ptr<Form_Validity> m_validity;
    std::unique_ptr<PlotMenu> m_flowMenu;
    std::unique_ptr<PlotMenu> m_pressureMenu;
};

} // namespace wavywall
