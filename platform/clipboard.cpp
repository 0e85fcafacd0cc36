#include "platform/clipboard.hpp"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <memory>
#include <optional>
#include <string_view>
#include <utility>

namespace tarn::platform {

namespace {

using Clock = std::chrono::steady_clock;

// The limits of one read, fixed when it starts.
struct Transfer {
    explicit Transfer(const ClipboardLimits& limits)
        : answer_timeout(limits.answer_timeout),
          give_up(Clock::now() + limits.total_timeout),
          max_bytes(limits.max_bytes) {}

    // When the next answer or piece is due.
    Clock::time_point next_deadline() const {
        return std::min(Clock::now() + answer_timeout, give_up);
    }

    std::chrono::milliseconds answer_timeout;
    Clock::time_point give_up;
    std::size_t max_bytes;
};

struct DisplayCloser {
    void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayHandle = std::unique_ptr<Display, DisplayCloser>;

struct XFreeDeleter {
    void operator()(unsigned char* data) const { XFree(data); }
};

// An unmapped window that receives the converted selection; destroyed with the object.
class HelperWindow {
public:
    explicit HelperWindow(Display* display)
        : display_(display),
          window_(XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0)) {
        // Needed for the pieces of a large text, which are announced by property changes.
        XSelectInput(display_, window_, PropertyChangeMask);
    }
    ~HelperWindow() { XDestroyWindow(display_, window_); }
    HelperWindow(const HelperWindow&) = delete;
    HelperWindow& operator=(const HelperWindow&) = delete;

    Window id() const { return window_; }

private:
    Display* display_;
    Window window_;
};

struct Atoms {
    Atom clipboard;
    Atom utf8_string;
    Atom incr;
    Atom property;  // where the owner stores the text for us
};

Atoms intern_atoms(Display* display) {
    char* names[] = {const_cast<char*>("CLIPBOARD"), const_cast<char*>("UTF8_STRING"),
                     const_cast<char*>("INCR"), const_cast<char*>("TARN_CLIPBOARD")};
    Atom atoms[4] = {};
    XInternAtoms(display, names, 4, False, atoms);
    return {atoms[0], atoms[1], atoms[2], atoms[3]};
}

// Waits for an event of the given type on the window that `accept` approves; other events of
// that type are dropped. Nothing once the deadline passes.
template <typename Accept>
std::optional<XEvent> wait_for_event(Display* display, Window window, int type, Accept accept,
                                     Clock::time_point deadline) {
    XEvent event;
    for (;;) {
        while (XCheckTypedWindowEvent(display, window, type, &event)) {
            if (accept(event))
                return event;
        }
        const auto remaining =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (remaining.count() <= 0)
            return std::nullopt;
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        if (poll(&connection, 1, static_cast<int>(remaining.count())) == -1 && errno != EINTR) {
            return std::nullopt;
        }
    }
}

struct PropertyData {
    Atom type = None;  // None when the property does not exist
    int format = 0;
    std::string bytes;  // only for 8-bit data
};

// Reads a whole window property, in as many requests as its size needs. Nothing when that
// fails or the property holds more than max_bytes of text.
std::optional<PropertyData> read_property(Display* display, Window window, Atom property,
                                          std::size_t max_bytes) {
    constexpr long chunk_longs = 64 * 1024;  // per request, in the 32-bit units X counts in
    PropertyData result;
    long offset = 0;
    for (;;) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, bytes_after = 0;
        unsigned char* raw = nullptr;
        if (XGetWindowProperty(display, window, property, offset, chunk_longs, False,
                               AnyPropertyType, &type, &format, &count, &bytes_after,
                               &raw) != Success) {
            return std::nullopt;
        }
        std::unique_ptr<unsigned char, XFreeDeleter> data(raw);
        result.type = type;
        result.format = format;
        if (type == None || format != 8)
            return result;
        if (count + bytes_after > max_bytes - result.bytes.size())
            return std::nullopt;
        if (data)
            result.bytes.append(reinterpret_cast<const char*>(data.get()), count);
        if (bytes_after == 0)
            return result;
        offset += static_cast<long>(count / 4);
    }
}

// A large text arrives in pieces (the INCR protocol): deleting the property asks the owner for
// the next piece, and an empty piece ends the transfer. An owner that goes on sending past the
// transfer's size or time is given up on.
std::optional<PropertyData> read_in_pieces(Display* display, Window window, Atom property,
                                           const Transfer& transfer) {
    XDeleteProperty(display, window, property);
    XFlush(display);
    auto is_new_piece = [property](const XEvent& event) {
        return event.xproperty.atom == property && event.xproperty.state == PropertyNewValue;
    };
    PropertyData text;
    while (Clock::now() < transfer.give_up) {
        if (!wait_for_event(display, window, PropertyNotify, is_new_piece,
                            transfer.next_deadline())) {
            return std::nullopt;
        }
        std::optional<PropertyData> piece =
            read_property(display, window, property, transfer.max_bytes - text.bytes.size());
        if (!piece)
            return std::nullopt;
        // A stale notification (the INCR marker being written, or a piece already taken).
        if (piece->type == None)
            continue;
        XDeleteProperty(display, window, property);
        XFlush(display);
        if (piece->format != 8)
            return std::nullopt;
        if (piece->bytes.empty())
            return text;
        text.type = piece->type;
        text.format = 8;
        text.bytes += piece->bytes;
    }
    return std::nullopt;
}

// Asks the clipboard owner for its contents as `target`. Nothing when it refuses, answers with
// something other than text, does not answer before the deadline or oversteps the transfer.
std::optional<PropertyData> convert(Display* display, Window window, const Atoms& atoms,
                                    Atom target, Clock::time_point deadline,
                                    const Transfer& transfer) {
    XDeleteProperty(display, window, atoms.property);
    XConvertSelection(display, atoms.clipboard, target, atoms.property, window, CurrentTime);
    XFlush(display);
    auto is_answer = [&](const XEvent& event) {
        return event.xselection.selection == atoms.clipboard && event.xselection.target == target;
    };
    std::optional<XEvent> answer =
        wait_for_event(display, window, SelectionNotify, is_answer, deadline);
    if (!answer || answer->xselection.property == None)
        return std::nullopt;
    std::optional<PropertyData> data =
        read_property(display, window, atoms.property, transfer.max_bytes);
    if (data && data->type == atoms.incr) {
        data = read_in_pieces(display, window, atoms.property, transfer);
    } else {
        XDeleteProperty(display, window, atoms.property);
    }
    // Some owners answer with whatever they hold, labelled as such (an image, say).
    if (!data || data->format != 8 ||
        (data->type != atoms.utf8_string && data->type != XA_STRING)) {
        return std::nullopt;
    }
    return data;
}

std::string latin1_to_utf8(std::string_view text) {
    std::string utf8;
    utf8.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            utf8 += c;
        } else {
            utf8 += static_cast<char>(0xC0 | (byte >> 6));
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

}  // namespace

std::string clipboard_text(const ClipboardLimits& limits) {
    DisplayHandle display(XOpenDisplay(nullptr));
    if (!display)
        return {};
    const Atoms atoms = intern_atoms(display.get());
    if (XGetSelectionOwner(display.get(), atoms.clipboard) == None)
        return {};

    HelperWindow window(display.get());
    const Transfer transfer(limits);
    const Clock::time_point deadline = transfer.next_deadline();
    std::optional<PropertyData> data =
        convert(display.get(), window.id(), atoms, atoms.utf8_string, deadline, transfer);
    // Older owners only offer Latin-1 text. After a timeout there is no point in asking again.
    if (!data && Clock::now() < deadline) {
        data = convert(display.get(), window.id(), atoms, XA_STRING, deadline, transfer);
    }
    if (!data)
        return {};
    return data->type == XA_STRING ? latin1_to_utf8(data->bytes) : std::move(data->bytes);
}

}  // namespace tarn::platform
