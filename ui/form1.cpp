#include "ui/form1.h"

#include "canvas/picturebox.h"
#include "ui/accessibility.h"
#include "ui/focusring.h"
#include "ui/form1layout.h"
#include "ui/formabout.h"
#include "ui/messageboxmessenger.h"
#include "ui/plotdescriber.h"
#include "ui/plotexport.h"
#include "ui/plotmenu.h"
#include "ui/plotprinter.h"
#include "ui/stepscrollbar.h"
#include "ui/textboxinputs.h"
#include "ui/textfit.h"
#include "ui/titlelabel.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>

#include <limits>

using namespace Qt::StringLiterals;

namespace wavywall {

namespace layout = form1layout;

namespace {

// A plain one-line input with no length limit of its own.
QLineEdit *makeTextBox(QWidget *parent, const QString &text) {
    auto *box = new QLineEdit(text, parent);
    box->setMaxLength(std::numeric_limits<int>::max());
    return box;
}

template <typename Label = QLabel> QLabel *makeLabel(QWidget *parent, const QString &text) {
    auto *label = new Label(text, parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAutoFillBackground(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// A title label inside a plot box stands in the box's inner area and is cut
// off where it reaches past it; its text fits what remains.
void placeTitle(QLabel &label, const QString &name, TwipRect twips, double dotsPerInch,
                const PictureBox &box) {
    const QRect inner = box.contentsRect();
    place(label, name, twips, dotsPerInch, inner.topLeft());
    label.setGeometry(label.geometry() & inner);
    fitText(label);
}

} // namespace

Form1::Form1(Messenger *messenger, QWidget *parent)
    : QMainWindow(parent) {
    installAccessibility();
    setObjectName(u"Form1"_s);
    setWindowTitle(u"Tesvelin üzerinde küçük bozuntulu süpersonik akım"_s);
    const double dotsPerInch = logicalDpiX();
    createMenus();
    createControls(dotsPerInch);
    if (!messenger) {
        m_messageBox = std::make_unique<MessageBoxMessenger>(*this);
        messenger = m_messageBox.get();
    }
    m_inputs = std::make_unique<TextBoxInputs>(*Text_Moo, *Text_HbL);
    m_model = std::make_unique<FlowModel>(*m_inputs, *Picture_Akım, *Picture_basınç, *messenger);
    m_describer = std::make_unique<PlotDescriber>(*m_model, *Picture_Akım, *Picture_basınç);
    createPlotMenus(*messenger);
    connectHandlers();
    setTabOrderAndFocus();
    Form_Load();
    const QSize client = toPixels(layout::clientArea, dotsPerInch).size();
    resize(client.width(), client.height() + menuBar()->sizeHint().height());
}

Form1::~Form1() = default;

void Form1::createMenus() {
    // A for About, underlined the way the desktop shows access keys.
    Nm_About = menuBar()->addAction(u"&About"_s);
    Nm_About->setObjectName(u"Nm_About"_s);
}

void Form1::createControls(double dotsPerInch) {
    auto *client = new QWidget(this);
    client->setObjectName(u"clientArea"_s);
    setCentralWidget(client);
    Frame1 = new QGroupBox(client);
    place(*Frame1, u"Frame1"_s, layout::Frame1, dotsPerInch);
    createFrameControls(dotsPerInch);
    createPlots(dotsPerInch);
}

void Form1::createFrameControls(double dotsPerInch) {
    HScroll_HbL = new StepScrollBar(1, 20, Frame1);
    place(*HScroll_HbL, u"HScroll_HbL"_s, layout::HScroll_HbL, dotsPerInch);
    HScroll_HbL->setAccessibleName(u"H/L kaydırma çubuğu"_s);
    HScroll_Moo = new StepScrollBar(101, 200, Frame1);
    place(*HScroll_Moo, u"HScroll_Moo"_s, layout::HScroll_Moo, dotsPerInch);
    HScroll_Moo->setAccessibleName(u"Moo kaydırma çubuğu"_s);
    Text_Moo = makeTextBox(Frame1, u"1.01"_s);
    place(*Text_Moo, u"Text_Moo"_s, layout::Text_Moo, dotsPerInch);
    Text_Moo->setAccessibleName(u"Moo"_s);
    Text_HbL = makeTextBox(Frame1, u"0.01"_s);
    place(*Text_HbL, u"Text_HbL"_s, layout::Text_HbL, dotsPerInch);
    Text_HbL->setAccessibleName(u"H/L"_s);
    Command1 = new QPushButton(u"HESAPLA"_s, Frame1);
    place(*Command1, u"Command1"_s, layout::Command1, dotsPerInch);
    Command1->setAutoDefault(false);
    Command1->setDefault(false);
    Label1 = makeLabel(Frame1, u"Moo ="_s);
    place(*Label1, u"Label1"_s, layout::Label1, dotsPerInch);
    Label2 = makeLabel(Frame1, u"H/L ="_s);
    place(*Label2, u"Label2"_s, layout::Label2, dotsPerInch);
    fitText(*Label1);
    fitText(*Label2);
    fitText(*Text_Moo);
    fitText(*Text_HbL);
    fitText(*Command1);
    // The bars overlap the boxes' right edge by a hair; they stay on top.
    HScroll_Moo->raise();
    HScroll_HbL->raise();
}

void Form1::createPlots(double dotsPerInch) {
    QWidget *client = centralWidget();
    Picture_basınç = new PictureBox(client);
    place(*Picture_basınç, u"Picture_basınç"_s, layout::Picture_basınç, dotsPerInch);
    Picture_basınç->setAccessibleName(plotTitle(Plot::pressure));
    Label4 = makeLabel<TitleLabel>(Picture_basınç, plotTitle(Plot::pressure));
    placeTitle(*Label4, u"Label4"_s, layout::Label4, dotsPerInch, *Picture_basınç);
    Picture_Akım = new PictureBox(client);
    place(*Picture_Akım, u"Picture_Akım"_s, layout::Picture_Akım, dotsPerInch);
    Picture_Akım->setAccessibleName(plotTitle(Plot::flow));
    Label3 = makeLabel<TitleLabel>(Picture_Akım, plotTitle(Plot::flow));
    placeTitle(*Label3, u"Label3"_s, layout::Label3, dotsPerInch, *Picture_Akım);
}

void Form1::createPlotMenus(Messenger &messenger) {
    const auto print = [this] { Nm_Yazdir_Click(); };
    m_flowMenu = std::make_unique<PlotMenu>(*Picture_Akım, Plot::flow, *m_model, messenger, print);
    m_pressureMenu =
        std::make_unique<PlotMenu>(*Picture_basınç, Plot::pressure, *m_model, messenger, print);
}

PlotMenu &Form1::plotMenu(Plot plot) const {
    return plot == Plot::flow ? *m_flowMenu : *m_pressureMenu;
}

void Form1::printPlots(QPagedPaintDevice &page) const {
    const QString heading =
        u"%1\nMoo = %2    H/L = %3"_s.arg(windowTitle(), Text_Moo->text(), Text_HbL->text());
    wavywall::printPlots(page, heading, plotPicture(Plot::flow, Picture_Akım->displayList()),
                         plotPicture(Plot::pressure, Picture_basınç->displayList()));
}

// The platform's print dialog, then both plots on one page.
void Form1::Nm_Yazdir_Click() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) {
        printPlots(printer);
    }
}

void Form1::afterRecalculation() {
    m_describer->update();
    m_flowMenu->updateEnabled();
    m_pressureMenu->updateEnabled();
}

void Form1::connectHandlers() {
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(HScroll_Moo, &QScrollBar::valueChanged, this, &Form1::HScroll_Moo_Change);
    connect(HScroll_HbL, &QScrollBar::valueChanged, this, &Form1::HScroll_HbL_Change);
    connect(Nm_About, &QAction::triggered, this, &Form1::Nm_About_Click);
}

void Form1::setTabOrderAndFocus() {
    QWidget *const order[] = {Picture_Akım, Picture_basınç, Command1,   Text_HbL,
                              Text_Moo,     HScroll_Moo,    HScroll_HbL};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
    for (QWidget *stop : order) {
        FocusRing::attach(*stop);
    }
    Picture_Akım->setFocus();
}

void Form1::Form_Load() {
    m_model->Form_Load();
    m_describer->update();
}

void Form1::Command1_Click() {
    m_model->Command1_Click();
    afterRecalculation();
}

void Form1::calculateWith(const std::optional<QString> &moo, const std::optional<QString> &hbl) {
    if (moo) {
        Text_Moo->setText(*moo);
    }
    if (hbl) {
        Text_HbL->setText(*hbl);
    }
    Command1_Click();
}

void Form1::HScroll_Moo_Change() {
    m_model->HScroll_Moo_Change(static_cast<std::int16_t>(HScroll_Moo->value()));
    afterRecalculation();
}

void Form1::HScroll_HbL_Change() {
    m_model->HScroll_HbL_Change(static_cast<std::int16_t>(HScroll_HbL->value()));
    afterRecalculation();
}

// One About window for the whole run, with no owner, so that it neither
// blocks nor follows the main window.
void Form1::Nm_About_Click() {
    if (!m_about) {
        m_about = std::make_unique<Form_About>();
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

} // namespace wavywall
