#include "ui/plotmenu.h"

#include "model/messenger.h"
#include "ui/layouttable.h"
#include "ui/picturebox.h"
#include "ui/plotexport.h"
#include "ui/plotfiles.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>

using namespace Qt::StringLiterals;

namespace wavywall {

namespace {

// A name typed without an extension takes the one of the chosen file type.
QString askWithDialog(QWidget *parent, const QString &caption, const QString &suggested,
                      const QString &filters) {
    QString chosen;
    QString name = QFileDialog::getSaveFileName(parent, caption, suggested, filters, &chosen);
    if (!name.isEmpty() && !fileTypeOf(name)) {
        name += chosen.contains("*.svg"_L1)   ? u".svg"_s
                : chosen.contains("*.csv"_L1) ? u".csv"_s
                                              : u".png"_s;
    }
    return name;
}

// The description names each command's access key; the desktop underlines
// its first occurrence in the text.
QString withAccessKey(std::u16string_view text, std::u16string_view key) {
    QString shown = toQString(text);
    const qsizetype at = shown.indexOf(toQString(key));
    return at < 0 ? shown : shown.insert(at, u'&');
}

} // namespace

PlotMenu::PlotMenu(PictureBox &box, Plot plot, const FlowModel &model, Messenger &messenger,
                   std::function<void()> print)
    : m_box(box)
    , m_plot(plot)
    , m_model(model)
    , m_messenger(messenger)
    , m_print(std::move(print))
    , m_menu(&box) {
    m_menu.setObjectName(box.objectName() + u"_menu"_s);
    m_ask = [this](const QString &caption, const QString &suggested, const QString &filters) {
        return askWithDialog(m_box.window(), caption, suggested, filters);
    };
    using texts = windows::PlotMenus;
    addCommand<texts::savePicture>(&PlotMenu::savePicture);
    QAction *copy = addCommand<texts::copyPicture>(&PlotMenu::copyPicture);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    box.addAction(copy);
    addCommand<texts::saveData>(&PlotMenu::saveData);
    addCommand<texts::copyData>(&PlotMenu::copyData);
    m_menu.addSeparator();
    addCommand<texts::print>(&PlotMenu::print);
    box.setContextMenuPolicy(Qt::CustomContextMenu);
    connect(&box, &QWidget::customContextMenuRequested, this, &PlotMenu::openAt);
    box.installEventFilter(this);
    updateEnabled();
}

// Each command is named after its entry in the description, which gives its
// text and whether it waits for results.
template <typename Command> QAction *PlotMenu::addCommand(void (PlotMenu::*run)()) {
    QAction *action = m_menu.addAction(withAccessKey(Command::text, Command::accessKey));
    action->setObjectName(m_box.objectName() + u'_' + toQString(Command::name));
    connect(action, &QAction::triggered, this, run);
    if (Command::waitsForResults) {
        m_waiting.push_back(action);
    }
    return action;
}

void PlotMenu::updateEnabled() {
    const bool results = m_model.hasResults();
    for (QAction *action : m_waiting) {
        action->setEnabled(results);
    }
}

// The Menu key and Shift+F10 open the menu at the middle of the box.
bool PlotMenu::eventFilter(QObject *watched, QEvent *event) {
    if (watched == &m_box && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool shiftF10 = key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier;
        if (key->key() == Qt::Key_Menu || shiftF10) {
            openAt(m_box.rect().center());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void PlotMenu::openAt(QPoint local) {
    m_menu.popup(m_box.mapToGlobal(local));
}

std::string PlotMenu::picture() const {
    return plotPicture(m_plot, m_box.shownLines());
}

QString PlotMenu::savePictureTo(const QString &path) const {
    const QByteArray bytes = fileTypeOf(path) == FileType::svg
                                 ? QByteArray::fromStdString(picture())
                                 : plotPng(m_plot, m_box.shownLines(), m_box.devicePixelRatioF());
    return saveWhole(path, bytes);
}

QString PlotMenu::saveDataTo(const QString &path) const {
    return saveWhole(path, QByteArray::fromStdString(plotTable(m_plot, m_model, Separator::comma)));
}

void PlotMenu::savePicture() {
    const QString path = m_ask(u"Resmi kaydet"_s, suggestedFileName(m_plot, m_model) + u".png"_s,
                               u"PNG (*.png);;SVG (*.svg)"_s);
    if (!path.isEmpty()) {
        report(savePictureTo(path));
    }
}

void PlotMenu::saveData() {
    const QString path = m_ask(u"Verileri kaydet"_s, suggestedFileName(m_plot, m_model) + u".csv"_s,
                               u"CSV (*.csv)"_s);
    if (!path.isEmpty()) {
        report(saveDataTo(path));
    }
}

// The picture as an image and as SVG, for programs that take vectors.
void PlotMenu::copyPicture() {
    if (!m_model.hasResults()) {
        return;
    }
    const std::string svg = picture();
    auto *data = new QMimeData;
    data->setImageData(renderPlot(m_plot, m_box.shownLines(), m_box.devicePixelRatioF()));
    data->setData(u"image/svg+xml"_s, QByteArray::fromStdString(svg));
    QGuiApplication::clipboard()->setMimeData(data);
}

void PlotMenu::copyData() {
    QGuiApplication::clipboard()->setText(
        QString::fromStdString(plotTable(m_plot, m_model, Separator::tab)));
}

void PlotMenu::print() {
    m_print();
}

void PlotMenu::report(const QString &failure) {
    if (!failure.isEmpty()) {
        m_messenger.MsgBox({reinterpret_cast<const char16_t *>(failure.utf16()),
                            static_cast<std::size_t>(failure.size())});
    }
}

} // namespace wavywall
