// The menu of a plot box: save or copy its picture, save or copy its
// numbers, and print both plots. The right button, the Menu key and
// Shift+F10 on the focused box open it; Ctrl+C on the focused box copies the
// picture. Until a recalculation has drawn the plots there is nothing to
// save, and the commands that the description says wait for results
// (ui/windows.json's PlotMenus) are disabled.
#pragma once

#include "model/exportname.h"

#include <QMenu>
#include <QObject>

#include <functional>
#include <vector>

namespace wavywall {

class FlowModel;
class Messenger;
class PictureBox;

class PlotMenu final : public QObject {
    Q_OBJECT

public:
    /// Asks for the name of a file to save, with a caption, a suggested
    /// name and the file-type filters; empty when the user cancels. The
    /// window asks with the platform's save dialog; tests answer at once.
    using AskFileName = std::function<QString(const QString &caption, const QString &suggested,
                                              const QString &filters)>;

    PlotMenu(PictureBox &box, Plot plot, const FlowModel &model, Messenger &messenger,
             std::function<void()> print);

    /// Enables the commands when there is a result to save.
    void updateEnabled();
    void setAskFileName(AskFileName ask) { m_ask = std::move(ask); }
    QMenu &menu() { return m_menu; }

    /// Writes the picture (PNG or SVG by the extension) or the numbers
    /// (CSV); empty on success, the message otherwise.
    QString savePictureTo(const QString &path) const;
    QString saveDataTo(const QString &path) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    template <typename Command> QAction *addCommand(void (PlotMenu::*run)());
    void openAt(QPoint local);
    std::string picture() const;
    void savePicture();
    void copyPicture();
    void saveData();
    void copyData();
    void print();
    void report(const QString &failure);

    PictureBox &m_box;
    Plot m_plot;
    const FlowModel &m_model;
    Messenger &m_messenger;
    std::function<void()> m_print;
    AskFileName m_ask;
    QMenu m_menu;
    // The commands that wait for a recalculation that drew the plots.
    std::vector<QAction *> m_waiting;
};

} // namespace wavywall
