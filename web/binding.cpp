// The core as the web page sees it: a small C surface over one flow model
// with its two input texts, the plots' display lists and the messages of the
// last recalculation. The page writes the texts the user typed into buffers
// that this surface hands out, calls a recalculation, then reads the results
// straight from the module's memory: each plot's picture, which the core's
// painter paints into pixels here at the canvas's size and device pixel
// ratio, and which the page puts on its canvas as they lie (each picture
// ends with its layers, the pressure plot's second order and both plots'
// simple wave, empty while off); on request the display lists (four unit
// coordinates and one 0x00BBGGRR colour a line), and texts (those a scroll
// bar wrote, the messages, the plots' descriptions, the validity lines, a
// file's name) as UTF-16 with the length of the last one returned. The
// descriptions are written when first asked for after a change, not by the
// recalculation. A message does not block here: it is collected, and the
// page shows it in its modal box when the recalculation has returned, which
// is the same to the user because a message is always the last thing a
// recalculation does (docs/web.md).
#include "canvas/displaylist.h"
#include "canvas/rasteriser.h"
#include "model/csvwriter.h"
#include "model/exportname.h"
#include "model/flowmodel.h"
#include "model/heldinputs.h"
#include "model/messagelist.h"
#include "model/plotdescription.h"
#include "model/plotpicture.h"
#include "model/validityreport.h"

#include <emscripten/emscripten.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace wavywall::web {

namespace {

// A plot's display lists flattened for the page, and where it finds them:
// the number of lines and the addresses of the two arrays, three 32-bit
// words that the page reads in one call.
struct FlatList {
    std::vector<double> coordinates;
    std::vector<std::uint32_t> colours;
    std::array<std::uint32_t, 3> view{};

    void fill(const std::vector<const DisplayList *> &lists) {
        coordinates.clear();
        colours.clear();
        for (const DisplayList *list : lists) {
            for (const DisplayList::PlotLine &line : list->lines()) {
                coordinates.insert(coordinates.end(), {line.line.from.u, line.line.from.v,
                                                       line.line.to.u, line.line.to.v});
                colours.push_back(line.colour);
            }
        }
        view = {static_cast<std::uint32_t>(colours.size()),
                static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(coordinates.data())),
                static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(colours.data()))};
    }
};

// A plot's pixels in the module's memory, RGBA and row after row, and what
// the page reads of its last paint in one call: the pixels' address and the
// changed rectangle (left, top, right, bottom; right and bottom excluded).
struct PlotImage {
    std::vector<std::uint32_t> pixels;
    Rasteriser painter;
    std::array<std::int32_t, 5> view{};

    void paint(std::span<const DisplayList *const> lists, int width, int height, double ratio) {
        const std::size_t size = static_cast<std::size_t>(width < 0 ? 0 : width) *
                                 static_cast<std::size_t>(height < 0 ? 0 : height);
        if (pixels.size() != size) {
            pixels.assign(size, 0);
        }
        const PixelRect changed =
            painter.paint({pixels.data(), width, height, width}, ratio, lists);
        view = {static_cast<std::int32_t>(reinterpret_cast<std::uintptr_t>(pixels.data())),
                changed.left, changed.top, changed.right, changed.bottom};
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
    DisplayList exactFlowLayer;
    DisplayList exactPressureLayer;
    MessageList messenger;
    FlowModel model{boxes, flowCanvas, pressureCanvas, messenger};
    std::array<FlatList, 2> flat;
    std::array<PlotImage, 2> images;
    // The plots in words, written when the page first asks after a change
    // (a burst of recalculations asks once, at its end).
    std::array<std::u16string, 2> descriptions;
    bool described = false;
    std::u16string validity;
    // The last picture or table asked for, the last file name, the picture's
    // frame, and the length of the last text handed out.
    std::string exported;
    std::u16string exportedName;
    std::array<double, 7> frame{};
    int returnedLength = 0;

    template <typename Action> void recalculate(Action action) {
        messenger.shown.clear();
        action();
        described = false;
    }

    void flatten() {
        flat[0].fill(lists(0));
        flat[1].fill(lists(1));
    }

    // A plot's list, then its layers', in painting order.
    std::vector<const DisplayList *> lists(int plot) const {
        if (plot == 0) {
            return {&flowCanvas, &exactFlowLayer};
        }
        return {&pressureCanvas, &secondOrderLayer, &exactPressureLayer};
    }

    // What the plot shows: its lines, then each layer's.
    std::vector<DisplayList::PlotLine> shown(int plot) const {
        std::vector<DisplayList::PlotLine> lines;
        for (const DisplayList *list : lists(plot)) {
            lines.insert(lines.end(), list->lines().begin(), list->lines().end());
        }
        return lines;
    }

    void showExact(bool on) {
        model.setExactLayers(on ? &exactFlowLayer : nullptr, on ? &exactPressureLayer : nullptr);
        if (!on) {
            exactFlowLayer.Cls();
            exactPressureLayer.Cls();
        }
        described = false;
    }

    void showSecondOrder(bool on) {
        model.setSecondOrderLayer(on ? &secondOrderLayer : nullptr);
        if (!on) {
            secondOrderLayer.Cls();
        }
        described = false;
    }

    void paint(int plot, int width, int height, double ratio) {
        images[plot == 0 ? 0 : 1].paint(lists(plot), width, height, ratio);
    }

    // The validity window's lines, one a line.
    void assess() {
        validity.clear();
        for (const std::u16string &line : validityLines(model)) {
            validity += (validity.empty() ? u"" : u"\n") + line;
        }
    }

    const std::u16string &description(std::size_t plot) {
        if (!described) {
            PlotDescriptions words = describePlots(model);
            descriptions[0] = std::move(words.flow);
            descriptions[1] = std::move(words.pressure);
            described = true;
        }
        return descriptions[plot];
    }

    const char16_t *give(std::u16string_view text) {
        returnedLength = static_cast<int>(text.size());
        return text.data();
    }
};

} // namespace wavywall::web

using wavywall::Input;
using wavywall::Plot;
using wavywall::web::Session;

namespace {
Input inputOf(int input) {
    return input == 0 ? Input::Moo : Input::HbL;
}
// 0 the flow picture, 1 the pressure plot.
Plot plotOf(int plot) {
    return plot == 0 ? Plot::flow : Plot::pressure;
}
std::size_t indexOf(int plot) {
    return plot == 0 ? 0 : 1;
}
} // namespace

// Every function here is exported to the page by its mark; core.js calls
// them all. The session lives as long as the page, so none destroys it.
extern "C" {

EMSCRIPTEN_KEEPALIVE Session *wavywall_create() {
    return new Session;
}

EMSCRIPTEN_KEEPALIVE void wavywall_form_load(Session *session) {
    session->model.Form_Load();
}

// The length of the text the last call that returns one handed out.
EMSCRIPTEN_KEEPALIVE int wavywall_returned_length(Session *session) {
    return session->returnedLength;
}

// Room for a text of the given length in UTF-16 code units, which the page
// fills before the next recalculation.
EMSCRIPTEN_KEEPALIVE char16_t *wavywall_text_buffer(Session *session, int input, int length) {
    std::u16string &text = session->boxes.at(inputOf(input));
    text.assign(static_cast<std::size_t>(length < 0 ? 0 : length), u' ');
    return text.data();
}

EMSCRIPTEN_KEEPALIVE const char16_t *wavywall_text(Session *session, int input) {
    return session->give(session->boxes.at(inputOf(input)));
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

// The plot's lines: their count, then the addresses of their coordinates
// and of their colours. Only a benchmark asks; the page paints with the core.
EMSCRIPTEN_KEEPALIVE const std::uint32_t *wavywall_display_list(Session *session, int plot) {
    session->flatten();
    return session->flat[indexOf(plot)].view.data();
}

// Paints the plot into its pixels at the canvas's size in device pixels and
// its device pixel ratio: the pixels' address, then the rectangle that changed.
EMSCRIPTEN_KEEPALIVE const std::int32_t *wavywall_paint(Session *session, int plot, int width,
                                                        int height, double ratio) {
    session->paint(plot, width, height, ratio);
    return session->images[indexOf(plot)].view.data();
}

EMSCRIPTEN_KEEPALIVE int wavywall_message_count(Session *session) {
    return static_cast<int>(session->messenger.shown.size());
}

EMSCRIPTEN_KEEPALIVE const char16_t *wavywall_message(Session *session, int index) {
    return session->give(session->messenger.shown.at(static_cast<std::size_t>(index)));
}

EMSCRIPTEN_KEEPALIVE const char16_t *wavywall_description(Session *session, int plot) {
    return session->give(session->description(indexOf(plot)));
}

EMSCRIPTEN_KEEPALIVE void wavywall_set_second_order(Session *session, int on) {
    session->showSecondOrder(on != 0);
}

EMSCRIPTEN_KEEPALIVE void wavywall_set_exact(Session *session, int on) {
    session->showExact(on != 0);
}

// The validity of the last recalculation, in lines; valid until the next call
// of this function.
EMSCRIPTEN_KEEPALIVE const char16_t *wavywall_validity(Session *session) {
    session->assess();
    return session->give(session->validity);
}

// The number the last recalculation read from an input, or NaN when there
// was none (no recalculation yet, or a number beyond the range of a double):
// the page puts a bar where a link's value is one of its positions.
EMSCRIPTEN_KEEPALIVE double wavywall_read_value(Session *session, int input) {
    const auto &last = session->model.lastRecalculation();
    const std::optional<double> value =
        last ? (inputOf(input) == Input::Moo ? last->Moo : last->HbL) : std::nullopt;
    return value.value_or(std::numeric_limits<double>::quiet_NaN());
}

// A plot's results leave the page only after a recalculation that drew them.
EMSCRIPTEN_KEEPALIVE int wavywall_has_results(Session *session) {
    return session->model.hasResults() ? 1 : 0;
}

// The plot's picture frame in pixels, as the core writes the picture: the
// drawing area's width and height, the title label's left, top, width and
// height, and its font size.
EMSCRIPTEN_KEEPALIVE const double *wavywall_picture_frame(Session *session, int plot) {
    const wavywall::PictureFrame f = wavywall::pictureFrame(plotOf(plot));
    session->frame = {static_cast<double>(f.width),
                      static_cast<double>(f.height),
                      f.titleLeft,
                      f.titleTop,
                      f.titleWidth,
                      f.titleHeight,
                      f.fontSize};
    return session->frame.data();
}

// The plot's SVG picture with the layers shown, as the desktop writes it.
EMSCRIPTEN_KEEPALIVE void wavywall_picture(Session *session, int plot) {
    session->exported = wavywall::plotPicture(plotOf(plot), session->shown(plot == 0 ? 0 : 1));
}

// The plot's point tables, with commas (0) or tabs (1).
EMSCRIPTEN_KEEPALIVE void wavywall_table(Session *session, int plot, int tabs) {
    const auto separator = tabs ? wavywall::Separator::tab : wavywall::Separator::comma;
    const wavywall::FlowState &state = session->model.state();
    const wavywall::Layers layers = session->model.layersShown();
    session->exported = plot == 0 ? wavywall::flowCsv(state, separator, layers)
                                  : wavywall::pressureCsv(state, separator, layers);
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
    session->exportedName = last ? wavywall::exportName(plotOf(plot), *last) : u"wavywall";
    return session->give(session->exportedName);
}

} // extern "C"
