// The core as the web page sees it: a small C surface over one flow model
// with its two input texts, two display lists and the messages of the last
// recalculation. The page writes the texts the user typed into buffers that
// this surface hands out, calls a recalculation, then reads the display lists
// as flat arrays (four unit coordinates and one 0x00BBGGRR colour a line;
// the pressure plot's second-order layer is a third list, empty while off),
// the texts a scroll bar wrote, the messages and the words that describe
// each plot, straight from the module's memory. A message does not block here: it is collected, and
// the page shows it in its modal box when the recalculation has returned, which is the same to the
// user because a message is always the last thing a recalculation does (docs/web.md).
#include "canvas/displaylist.h"
#include "canvas/svgwriter.h"
#include "model/csvwriter.h"
#include "model/exportname.h"
#include "model/flowmodel.h"
#include "model/heldinputs.h"
#include "model/messagelist.h"
#include "model/plotdescription.h"
#include "model/plotpicture.h"
#include "model/validityreport.h"
#include "windowdescription.h"

#include <emscripten/emscripten.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace wavywall::web {

namespace {

// A display list flattened for the page.
struct FlatList {
    std::vector<double> coordinates;
    std::vector<std::uint32_t> colours;

    void fill(const DisplayList &list) {
        coordinates.clear();
        colours.clear();
        for (const DisplayList::PlotLine &line : list.lines()) {
            coordinates.insert(coordinates.end(), {line.line.from.u, line.line.from.v,
                                                   line.line.to.u, line.line.to.v});
            colours.push_back(line.colour);
        }
    }
};

} // namespace

// Everything the page's main window holds of the core, for the page's whole
// life; the page keeps the pointer.
struct Session {
    HeldInputs boxes;
    DisplayList flowCanvas;
    DisplayList pressureCanvas;
    DisplayList secondOrderLayer;
    MessageList messenger;
    FlowModel model{boxes, flowCanvas, pressureCanvas, messenger};
    std::array<FlatList, 3> flat;
    std::array<std::u16string, 2> descriptions;
    std::u16string validity;
    // The last picture, table or name asked for, and a picture's frame.
    std::string exported;
    std::u16string exportedName;
    std::array<double, 7> frame{};

    template <typename Action> void recalculate(Action action) {
        messenger.shown.clear();
        action();
        flat[0].fill(flowCanvas);
        flat[1].fill(pressureCanvas);
        flat[2].fill(secondOrderLayer);
        describe();
    }

    void showSecondOrder(bool on) {
        model.setSecondOrderLayer(on ? &secondOrderLayer : nullptr);
        if (!on) {
            secondOrderLayer.Cls();
        }
        flat[2].fill(secondOrderLayer);
    }

    // The validity window's lines, one a line.
    void assess() {
        validity.clear();
        for (const std::u16string &line : validityLines(model)) {
            validity += (validity.empty() ? u"" : u"\n") + line;
        }
    }

    void describe() {
        PlotDescriptions described = describePlots(model);
        descriptions[0] = std::move(described.flow);
        descriptions[1] = std::move(described.pressure);
    }
};

} // namespace wavywall::web

using wavywall::Input;
using wavywall::web::Session;

namespace {
Input inputOf(int input) {
    return input == 0 ? Input::Moo : Input::HbL;
}
// 0 the flow picture, 1 the pressure plot, 2 its second-order layer.
std::size_t plotOf(int plot) {
    return plot <= 0 ? 0 : plot == 1 ? 1 : 2;
}
std::size_t describedPlotOf(int plot) {
    return plot == 0 ? 0 : 1;
}
} // namespace

// Every function here is exported to the page by its mark; core.js calls
// them all. The session lives as long as the page, so none destroys it.
extern "C" {

EMSCRIPTEN_KEEPALIVE Session *wavywall_create() {
    auto *session = new Session;
    session->describe();
    return session;
}

EMSCRIPTEN_KEEPALIVE void wavywall_form_load(Session *session) {
    session->model.Form_Load();
}

// Room for a text of the given length in UTF-16 code units, which the page
// fills before the next recalculation.
EMSCRIPTEN_KEEPALIVE char16_t *wavywall_text_buffer(Session *session, int input, int length) {
    std::u16string &text = session->boxes.at(inputOf(input));
    text.assign(static_cast<std::size_t>(length < 0 ? 0 : length), u' ');
    return text.data();
}

EMSCRIPTEN_KEEPALIVE const char16_t *wavywall_text(Session *session, int input) {
    return session->boxes.at(inputOf(input)).data();
}

EMSCRIPTEN_KEEPALIVE int wavywall_text_length(Session *session, int input) {
    return static_cast<int>(session->boxes.at(inputOf(input)).size());
}

EMSCRIPTEN_KEEPALIVE void wavywall_command1_click(Session *session) {
    session->recalculate([session] { session->model.Command1_Click(); });
}

EMSCRIPTEN_KEEPALIVE void wavywall_hscroll_moo_change(Session *session, int position) {
    session->recalculate([session, position] {
        session->model.HScroll_Moo_Change(static_cast<std::int16_t>(position));
    });
}

EMSCRIPTEN_KEEPALIVE void wavywall_hscroll_hbl_change(Session *session, int position) {
    session->recalculate([session, position] {
        session->model.HScroll_HbL_Change(static_cast<std::int16_t>(position));
    });
}

EMSCRIPTEN_KEEPALIVE int wavywall_line_count(Session *session, int plot) {
    return static_cast<int>(session->flat[plotOf(plot)].colours.size());
}

EMSCRIPTEN_KEEPALIVE const double *wavywall_line_coordinates(Session *session, int plot) {
    return session->flat[plotOf(plot)].coordinates.data();
}

EMSCRIPTEN_KEEPALIVE const std::uint32_t *wavywall_line_colours(Session *session, int plot) {
    return session->flat[plotOf(plot)].colours.data();
}

EMSCRIPTEN_KEEPALIVE int wavywall_message_count(Session *session) {
    return static_cast<int>(session->messenger.shown.size());
}

EMSCRIPTEN_KEEPALIVE const char16_t *wavywall_message(Session *session, int index) {
    return session->messenger.shown.at(static_cast<std::size_t>(index)).data();
}

EMSCRIPTEN_KEEPALIVE int wavywall_message_length(Session *session, int index) {
    return static_cast<int>(session->messenger.shown.at(static_cast<std::size_t>(index)).size());
}

EMSCRIPTEN_KEEPALIVE const char16_t *wavywall_description(Session *session, int plot) {
    return session->descriptions[describedPlotOf(plot)].data();
}

EMSCRIPTEN_KEEPALIVE int wavywall_description_length(Session *session, int plot) {
    return static_cast<int>(session->descriptions[describedPlotOf(plot)].size());
}

EMSCRIPTEN_KEEPALIVE void wavywall_set_second_order(Session *session, int on) {
    session->showSecondOrder(on != 0);
}

// The validity of the last recalculation, in lines; valid until the next call
// of this function.
EMSCRIPTEN_KEEPALIVE const char16_t *wavywall_validity(Session *session) {
    session->assess();
    return session->validity.data();
}

EMSCRIPTEN_KEEPALIVE int wavywall_validity_length(Session *session) {
    return static_cast<int>(session->validity.size());
}

// A plot's results leave the page only after a recalculation that drew them.
EMSCRIPTEN_KEEPALIVE int wavywall_has_results(Session *session) {
    return session->model.hasResults() ? 1 : 0;
}

// The plot's picture frame in pixels, as the core writes the picture: the
// drawing area's width and height, the title label's left, top, width and
// height, and its font size.
EMSCRIPTEN_KEEPALIVE const double *wavywall_picture_frame(Session *session, int plot) {
    const wavywall::PictureFrame f =
        wavywall::pictureFrame(plot == 0 ? wavywall::Plot::flow : wavywall::Plot::pressure);
    session->frame = {static_cast<double>(f.width), static_cast<double>(f.height),
                      f.titleLeft, f.titleTop, f.titleWidth, f.titleHeight, f.fontSize};
    return session->frame.data();
}

// The plot's SVG picture, as the desktop writes it.
EMSCRIPTEN_KEEPALIVE void wavywall_picture(Session *session, int plot) {
    const wavywall::DisplayList &list = plot == 0 ? session->flowCanvas : session->pressureCanvas;
    session->exported = wavywall::plotPicture(
        plot == 0 ? wavywall::Plot::flow : wavywall::Plot::pressure, list.lines());
}

// The plot's point tables, with commas (0) or tabs (1).
EMSCRIPTEN_KEEPALIVE void wavywall_table(Session *session, int plot, int tabs) {
    const auto separator = tabs ? wavywall::Separator::tab : wavywall::Separator::comma;
    const wavywall::FlowState &state = session->model.state();
    session->exported =
        plot == 0 ? wavywall::flowCsv(state, separator) : wavywall::pressureCsv(state, separator);
}

EMSCRIPTEN_KEEPALIVE const char *wavywall_exported(Session *session) {
    return session->exported.data();
}

EMSCRIPTEN_KEEPALIVE int wavywall_exported_length(Session *session) {
    return static_cast<int>(session->exported.size());
}

// The name a plot's file is offered under, without extension.
EMSCRIPTEN_KEEPALIVE const char16_t *wavywall_export_name(Session *session, int plot) {
    const auto &last = session->model.lastRecalculation();
    session->exportedName =
        last ? wavywall::exportName(plot == 0 ? wavywall::Plot::flow : wavywall::Plot::pressure,
                                    *last)
             : u"wavywall";
    return session->exportedName.data();
}

EMSCRIPTEN_KEEPALIVE int wavywall_export_name_length(Session *session) {
    return static_cast<int>(session->exportedName.size());
}

} // extern "C"
