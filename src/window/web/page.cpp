// SPDX-License-Identifier: MIT
#include "window/web/page.h"

#include <emscripten/em_js.h>
#include <emscripten/emscripten.h>

#include "window/web/markup.h"

// Texts cross as UTF-8 bytes and their count (a text may hold any character, NUL too). The
// page's own state lives on the Module object: the elements, the event being handled, the
// long press's timer and the dialog. Written as JavaScript, not C++: no C++ formatting.
// clang-format off

EM_JS(void, BindFormJs,
      (const char* attribute, int attribute_size, int button_id, int background_id,
       int elsewhere_id),
      {
        var attr = UTF8Decoder.decode(HEAPU8.subarray(attribute, attribute + attribute_size));
        var form = document.getElementById("Form1");
        var page = {form : form, tip : form.querySelector(".tip"),
                    button : form.querySelector("button"), boxes : []};
        form.querySelectorAll("input").forEach(function(box) {
          if (box.hasAttribute(attr)) page.boxes[+box.getAttribute(attr)] = box;
        });
        page.kind = function(element) {
          if (element instanceof HTMLInputElement && element.hasAttribute(attr)) {
            return +element.getAttribute(attr);
          }
          if (element === page.button) return button_id;
          var label = element instanceof HTMLDivElement && element.parentNode === form &&
                      element !== page.tip;
          var around = element === form || element === document.body ||
                       element === document.documentElement;
          return label || around ? background_id : elsewhere_id;
        };
        Module.velmoraPage = page;
      });

EM_JS(void, ListenJs, (const char* types, int types_size), {
  var names = UTF8Decoder.decode(HEAPU8.subarray(types, types + types_size)).split(" ");
  Module.velmoraPage.dispatch = function(event) {
    var type = names.indexOf(event.type);
    if (type < 0) return;
    Module.velmoraPage.event = event;
    _velmora_handle_event(type);
  };
  names.forEach(function(name) {
    document.addEventListener(name, Module.velmoraPage.dispatch);
  });
});

EM_JS(void, ReplayEarlyEventsJs, (), {
  var early = window.velmoraEarly;
  window.velmoraEarly = null;
  if (early) early.forEach(Module.velmoraPage.dispatch);
});

EM_JS(int, EventTargetJs, (), {
  return Module.velmoraPage.kind(Module.velmoraPage.event.target);
});
EM_JS(double, EventXJs, (), { return Module.velmoraPage.event.clientX; });
EM_JS(double, EventYJs, (), { return Module.velmoraPage.event.clientY; });
EM_JS(int, EventKeyIsEnterJs, (), { return Module.velmoraPage.event.key === "Enter"; });
EM_JS(void, PreventDefaultJs, (), { Module.velmoraPage.event.preventDefault(); });

EM_JS(int, FocusedBoxJs, (int elsewhere_id), {
  var kind = Module.velmoraPage.kind(document.activeElement);
  return kind >= 0 ? kind : elsewhere_id;
});
EM_JS(void, FocusBoxJs, (int cell), { Module.velmoraPage.boxes[cell].focus(); });
EM_JS(int, BoxTextSizeJs, (int cell), {
  return lengthBytesUTF8(Module.velmoraPage.boxes[cell].value);
});
EM_JS(void, CopyBoxTextJs, (int cell, char* buffer, int buffer_size), {
  stringToUTF8(Module.velmoraPage.boxes[cell].value, buffer, buffer_size);
});
EM_JS(void, ShowBoxTextJs, (int cell, const char* text, int text_size), {
  var box = Module.velmoraPage.boxes[cell];
  var shown = UTF8Decoder.decode(HEAPU8.subarray(text, text + text_size));
  if (box.value === shown) return;
  box.value = shown;
  // A total such as 1201.5000 must never read as 201.5000 in a narrow box.
  box.setSelectionRange(0, 0);
  box.scrollLeft = 0;
});
EM_JS(void, SelectWholeTextJs, (int cell), {
  var box = Module.velmoraPage.boxes[cell];
  box.setSelectionRange(0, box.value.length, "backward");
});

EM_JS(int, ShowWholeTextJs, (int cell), {
  var box = Module.velmoraPage.boxes[cell];
  var tip = Module.velmoraPage.tip;
  if (box.scrollWidth <= box.clientWidth) return 0;
  tip.textContent = box.value;
  tip.style.left = box.offsetLeft + "px";
  tip.style.top = (box.offsetTop + box.offsetHeight) + "px";
  tip.hidden = false;
  return 1;
});
EM_JS(void, HideWholeTextJs, (), { Module.velmoraPage.tip.hidden = true; });

EM_JS(void, StartLongPressJs, (int cell, int milliseconds), {
  Module.velmoraPage.longPress = setTimeout(function() {
    Module.velmoraPage.longPress = null;
    _velmora_handle_long_press(cell);
  }, milliseconds);
});
EM_JS(void, CancelLongPressJs, (), {
  clearTimeout(Module.velmoraPage.longPress);
  Module.velmoraPage.longPress = null;
});

EM_JS(void, ShowMessageJs,
      (const char* caption, int caption_size, const char* message, int message_size,
       const char* ok, int ok_size),
      {
        var text = function(at, size) { return UTF8Decoder.decode(HEAPU8.subarray(at, at + size)); };
        var page = Module.velmoraPage;
        if (!page.dialog) {
          // A form of method "dialog" closes the dialog by its button, and Escape closes it too.
          page.dialog = document.createElement("dialog");
          page.dialog.setAttribute("aria-label", text(caption, caption_size));
          var paragraph = document.createElement("p");
          paragraph.textContent = text(message, message_size);
          var close = document.createElement("form");
          close.method = "dialog";
          var button = document.createElement("button");
          button.textContent = text(ok, ok_size);
          close.appendChild(button);
          page.dialog.appendChild(paragraph);
          page.dialog.appendChild(close);
          document.body.appendChild(page.dialog);
        }
        page.dialog.showModal();
      });

EM_JS(void, MarkJs, (const char* name, int name_size), {
  performance.mark(UTF8Decoder.decode(HEAPU8.subarray(name, name + name_size)));
});

// clang-format on

namespace window::web::page {
namespace {

int SizeOf(std::string_view text) { return static_cast<int>(text.size()); }

}  // namespace

void BindForm() {
  BindFormJs(kCellAttribute.data(), SizeOf(kCellAttribute), kButton, kBackground, kElsewhere);
}
void Listen(std::string_view types) { ListenJs(types.data(), SizeOf(types)); }
void ReplayEarlyEvents() { ReplayEarlyEventsJs(); }

int EventTarget() { return EventTargetJs(); }
double EventX() { return EventXJs(); }
double EventY() { return EventYJs(); }
bool EventKeyIsEnter() { return EventKeyIsEnterJs() != 0; }
void PreventDefault() { PreventDefaultJs(); }

int FocusedBox() { return FocusedBoxJs(kElsewhere); }
void FocusBox(int cell) { FocusBoxJs(cell); }

std::string BoxText(int cell) {
  std::string text(static_cast<std::size_t>(BoxTextSizeJs(cell)) + 1, '\0');
  CopyBoxTextJs(cell, text.data(), SizeOf(text));
  text.pop_back();  // the terminating NUL
  return text;
}

void ShowBoxText(int cell, std::string_view text) {
  ShowBoxTextJs(cell, text.data(), SizeOf(text));
}
void SelectWholeText(int cell) { SelectWholeTextJs(cell); }

bool ShowWholeText(int cell) { return ShowWholeTextJs(cell) != 0; }
void HideWholeText() { HideWholeTextJs(); }

void StartLongPress(int cell, int milliseconds) { StartLongPressJs(cell, milliseconds); }
void CancelLongPress() { CancelLongPressJs(); }

void ShowMessage(std::string_view caption, std::string_view message, std::string_view ok) {
  ShowMessageJs(caption.data(), SizeOf(caption), message.data(), SizeOf(message), ok.data(),
                SizeOf(ok));
}

void Mark(std::string_view name) { MarkJs(name.data(), SizeOf(name)); }

}  // namespace window::web::page
