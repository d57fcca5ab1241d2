#include "ui/form1.h"

#include "ui/accessibility.h"
#include "ui/focusring.h"
#include "ui/formabout.h"
#include "ui/formvalidity.h"
#include "ui/layouttable.h"
#include "ui/messageboxmessenger.h"
#include "ui/picturebox.h"
#include "ui/plotdescriber.h"
#include "ui/plotexport.h"
#include "ui/plotmenu.h"
#include "ui/plotprinter.h"
#include "ui/qtcolour.h"
#include "ui/readingnotes.h"
#include "ui/smallwindow.h"
#include "ui/stepscrollbar.h"
#include "ui/textboxinputs.h"
#include "ui/textfit.h"
#include "ui/titlelabel.h"

#include "model/validityreport.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>

#include <limits>

using namespace Qt::StringLiterals;

namespace wavywall {

using layout = windows::Form1;

namespace {

// A plain one-line input with no length limit of its own.
QLineEdit *makeTextBox(QWidget *parent, std::u16string_view text) {
    auto *box = new QLineEdit(toQString(text), parent);
    box->setMaxLength(std::numeric_limits<int>::max());
    return box;
}

template <typename Label = QLabel> Label *makeLabel(QWidget *parent, std::u16string_view text) {
    auto *label = new Label(toQString(text), parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setAutoFillBackground(true);
    label->setTextFormat(Qt::PlainText);
    return label;
}

// A bar with its range and steps as described.
template <typename Described> QScrollBar *makeBar(QWidget *parent) {
    auto *bar = new StepScrollBar(Described::minimum, Described::maximum, parent);
    bar->setSingleStep(Described::smallChange);
    bar->setPageStep(Described::largeChange);
    bar->setAccessibleName(toQString(Described::accessibleName));
    return bar;
}

// A title label inside a plot box stands in the box's inner area and is cut
// off where it reaches past it; its text fits what remains. The plot is
// named after its title.
void placeTitle(QLabel &label, std::u16string_view name, TwipRect twips, double dotsPerInch,
                PictureBox &box) {
    const QRect inner = box.contentsRect();
    place(label, name, twips, dotsPerInch, inner.topLeft());
    label.setGeometry(label.geometry() & inner);
    fitText(label);
    box.setAccessibleName(label.text());
}

// A legend entry over the pressure plot: its layer's name after a line in
// its colour, shown while the layer is on.
template <typename Described> QLabel *makeLegend(PictureBox &box, double dotsPerInch) {
    auto *label = makeLabel<TitleLabel>(&box, Described::text);
    const QRect inner = box.contentsRect();
    place(*label, Described::name, Described::twips, dotsPerInch, inner.topLeft());
    label->setGeometry(label->geometry() & inner);
    label->setSwatch(toQColor(hexColour(Described::colour)));
    fitText(*label);
    label->hide();
    return label;
}

} // namespace

Form1::Form1(Messenger *messenger, QWidget *parent)
    : QMainWindow(parent) {
    installAccessibility();
    setObjectName(toQString(layout::name));
    setWindowTitle(toQString(layout::caption));
    const double dotsPerInch = layoutDotsPerInch(*this);
    createMenus();
    createControls(dotsPerInch);
    if (!messenger) {
        m_messageBox = std::make_unique<MessageBoxMessenger>(*this);
        messenger = m_messageBox.get();
    }
    m_inputs = std::make_unique<TextBoxInputs>(*Text_Moo, *Text_HbL);
    m_notes = std::make_unique<ReadingNotes>(*centralWidget(), dotsPerInch, *Text_Moo, *Text_HbL,
                                             *messenger);
    m_describer = std::make_unique<PlotDescriber>(*Picture_Akım, *Picture_basınç, *m_notes);
    m_model = std::make_unique<FlowModel>(*m_inputs, *Picture_Akım, *Picture_basınç, *m_describer);
    m_describer->follow(*m_model);
    m_notes->follow(*m_model);
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
    Nm_About = menuBar()->addAction(toQString(layout::Nm_About::text));
    Nm_About->setObjectName(toQString(layout::Nm_About::name));
    // Teori: the theory behind the plots, after About, which stays first.
    QMenu *theory = menuBar()->addMenu(toQString(layout::Nm_Teori::text));
    theory->setObjectName(toQString(layout::Nm_Teori::name));
    Nm_İkinciMertebe = theory->addAction(toQString(layout::Nm_İkinciMertebe::text));
    Nm_İkinciMertebe->setObjectName(toQString(layout::Nm_İkinciMertebe::name));
    Nm_İkinciMertebe->setCheckable(true);
    Nm_BasitDalgaÇözümü = theory->addAction(toQString(layout::Nm_BasitDalgaÇözümü::text));
    Nm_BasitDalgaÇözümü->setObjectName(toQString(layout::Nm_BasitDalgaÇözümü::name));
    Nm_BasitDalgaÇözümü->setCheckable(true);
    Nm_Geçerlilik = theory->addAction(toQString(layout::Nm_Geçerlilik::text));
    Nm_Geçerlilik->setObjectName(toQString(layout::Nm_Geçerlilik::name));
}

void Form1::createControls(double dotsPerInch) {
    auto *client = new QWidget(this);
    client->setObjectName(u"clientArea"_s);
    setCentralWidget(client);
    Frame1 = new QGroupBox(client);
    place(*Frame1, layout::Frame1::name, layout::Frame1::twips, dotsPerInch);
    createFrameControls(dotsPerInch);
    createPlots(dotsPerInch);
}

void Form1::createFrameControls(double dotsPerInch) {
    HScroll_HbL = makeBar<layout::HScroll_HbL>(Frame1);
    place(*HScroll_HbL, layout::HScroll_HbL::name, layout::HScroll_HbL::twips, dotsPerInch);
    HScroll_Moo = makeBar<layout::HScroll_Moo>(Frame1);
    place(*HScroll_Moo, layout::HScroll_Moo::name, layout::HScroll_Moo::twips, dotsPerInch);
    Text_Moo = makeTextBox(Frame1, layout::Text_Moo::text);
    place(*Text_Moo, layout::Text_Moo::name, layout::Text_Moo::twips, dotsPerInch);
    Text_Moo->setAccessibleName(toQString(layout::Text_Moo::accessibleName));
    Text_HbL = makeTextBox(Frame1, layout::Text_HbL::text);
    place(*Text_HbL, layout::Text_HbL::name, layout::Text_HbL::twips, dotsPerInch);
    Text_HbL->setAccessibleName(toQString(layout::Text_HbL::accessibleName));
    Command1 = new QPushButton(toQString(layout::Command1::text), Frame1);
    place(*Command1, layout::Command1::name, layout::Command1::twips, dotsPerInch);
    Command1->setAutoDefault(false);
    Command1->setDefault(false);
    Label1 = makeLabel(Frame1, layout::Label1::text);
    place(*Label1, layout::Label1::name, layout::Label1::twips, dotsPerInch);
    Label2 = makeLabel(Frame1, layout::Label2::text);
    place(*Label2, layout::Label2::name, layout::Label2::twips, dotsPerInch);
    fitText(*Label1);
    fitText(*Label2);
    keepTextWhole(*Text_Moo);
    keepTextWhole(*Text_HbL);
    fitText(*Command1);
    // The bars overlap the boxes' right edge by a hair; they stay on top.
    HScroll_Moo->raise();
    HScroll_HbL->raise();
}

void Form1::createPlots(double dotsPerInch) {
    QWidget *client = centralWidget();
    Picture_basınç = new PictureBox(client);
    place(*Picture_basınç, layout::Picture_basınç::name, layout::Picture_basınç::twips,
          dotsPerInch);
    Label4 = makeLabel<TitleLabel>(Picture_basınç, layout::Label4::text);
    placeTitle(*Label4, layout::Label4::name, layout::Label4::twips, dotsPerInch, *Picture_basınç);
    Picture_Akım = new PictureBox(client);
    place(*Picture_Akım, layout::Picture_Akım::name, layout::Picture_Akım::twips, dotsPerInch);
    Label3 = makeLabel<TitleLabel>(Picture_Akım, layout::Label3::text);
    placeTitle(*Label3, layout::Label3::name, layout::Label3::twips, dotsPerInch, *Picture_Akım);
    Label_İkinciMertebe = makeLegend<layout::Label_İkinciMertebe>(*Picture_basınç, dotsPerInch);
    Label_BasitDalgaÇözümü =
        makeLegend<layout::Label_BasitDalgaÇözümü>(*Picture_basınç, dotsPerInch);
}

void Form1::createPlotMenus(Messenger &messenger) {
    const auto print = [this] { Nm_Yazdır_Click(); };
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
    wavywall::printPlots(page, heading, plotPicture(Plot::flow, Picture_Akım->shownLines()),
                         plotPicture(Plot::pressure, Picture_basınç->shownLines()));
}

// The platform's print dialog, then both plots on one page.
void Form1::Nm_Yazdır_Click() {
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(
        printer, printName(*m_model),
        u"%1, Moo = %2, H/L = %3"_s.arg(windowTitle(), Text_Moo->text(), Text_HbL->text()));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) {
        printPlots(printer);
    }
}

void Form1::afterRecalculation() {
    m_flowMenu->updateEnabled();
    m_pressureMenu->updateEnabled();
    m_notes->update();
    followValidity();
}

void Form1::connectHandlers() {
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(HScroll_Moo, &QScrollBar::valueChanged, this, &Form1::HScroll_Moo_Change);
    connect(HScroll_HbL, &QScrollBar::valueChanged, this, &Form1::HScroll_HbL_Change);
    connect(Nm_About, &QAction::triggered, this, &Form1::Nm_About_Click);
    connect(Nm_İkinciMertebe, &QAction::toggled, this, &Form1::Nm_İkinciMertebe_Click);
    connect(Nm_BasitDalgaÇözümü, &QAction::toggled, this, &Form1::Nm_BasitDalgaÇözümü_Click);
    connect(Nm_Geçerlilik, &QAction::triggered, this, &Form1::Nm_Geçerlilik_Click);
}

// The focus starts on the first stop of the described tab order.
void Form1::setTabOrderAndFocus() {
    QWidget *previous = nullptr;
    for (std::u16string_view name : layout::tabOrder) {
        auto *stop = findChild<QWidget *>(toQString(name));
        Q_ASSERT(stop);
        if (previous) {
            setTabOrder(previous, stop);
        } else {
            stop->setFocus();
        }
        FocusRing::attach(*stop);
        previous = stop;
    }
}

void Form1::Form_Load() {
    m_model->Form_Load();
    m_describer->update();
    afterRecalculation();
}

void Form1::Command1_Click() {
    m_describer->recalculate([this] { m_model->Command1_Click(); });
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
    const auto position = static_cast<std::int16_t>(HScroll_Moo->value());
    m_describer->recalculate([this, position] { m_model->HScroll_Moo_Change(position); });
    afterRecalculation();
}

void Form1::HScroll_HbL_Change() {
    const auto position = static_cast<std::int16_t>(HScroll_HbL->value());
    m_describer->recalculate([this, position] { m_model->HScroll_HbL_Change(position); });
    afterRecalculation();
}

// One About window for the whole run, with no owner, so that it neither
// blocks nor follows the main window.
void Form1::Nm_About_Click() {
    if (!m_about) {
        m_about = std::make_unique<Form_About>();
        placeBeside(*m_about, *this);
    }
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

// The second-order curve is drawn over the pressure plot while checked; the
// linear plot is never redrawn for it.
void Form1::Nm_İkinciMertebe_Click(bool checked) {
    Canvas &layer = Picture_basınç->overlay();
    m_model->setSecondOrderLayer(checked ? &layer : nullptr);
    if (!checked) {
        layer.Cls();
    }
    Label_İkinciMertebe->setVisible(checked);
    m_describer->update();
}

// The exact simple wave is drawn over both plots while checked, as the
// second order is over the pressure plot.
void Form1::Nm_BasitDalgaÇözümü_Click(bool checked) {
    Canvas &flowLayer = Picture_Akım->exactOverlay();
    Canvas &pressureLayer = Picture_basınç->exactOverlay();
    m_model->setExactLayers(checked ? &flowLayer : nullptr, checked ? &pressureLayer : nullptr);
    if (!checked) {
        flowLayer.Cls();
        pressureLayer.Cls();
    }
    Label_BasitDalgaÇözümü->setVisible(checked);
    m_describer->update();
}

// One validity window for the whole run, with no owner, like About.
void Form1::Nm_Geçerlilik_Click() {
    if (!m_validity) {
        m_validity = std::make_unique<Form_Validity>();
        m_validity->showLines(validityLines(*m_model));
        placeBeside(*m_validity, *this);
    } else {
        m_validity->showLines(validityLines(*m_model));
    }
    m_validity->show();
    m_validity->raise();
    m_validity->activateWindow();
}

void Form1::followValidity() {
    if (m_validity && m_validity->isVisible()) {
        m_validity->showLines(validityLines(*m_model));
    }
}

} // namespace wavywall
