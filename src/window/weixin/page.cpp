// SPDX-License-Identifier: MIT
#include "window/weixin/page.h"

#include <emscripten/em_js.h>
#include <emscripten/emscripten.h>

#include "window/weixin/page_data.h"

// Texts cross as UTF-8 bytes and their count (velmoraText). The page's side lives on the
// Module object (velmora-pre.js). Written as JavaScript, not C++:
// no C++ formatting.
// clang-format off

EM_JS(int, WaitingEventCountJs, (), { return Module.velmoraPage.waiting.length; });
EM_JS(void, SelectWaitingEventJs, (int index), {
  Module.velmoraPage.event = Module.velmoraPage.waiting[index];
});

EM_JS(int, EventTypeJs, (const char* types, int types_size), {
  var names = velmoraText(types, types_size).split(" ");
  return names.indexOf(Module.velmoraPage.event.type);
});
EM_JS(int, EventCellJs, (int touched, const char* attribute, int attribute_size), {
  var event = Module.velmoraPage.event;
  var element = touched ? event.target : event.currentTarget;
  var name = velmoraText(attribute, attribute_size);
  var cell = element && element.dataset ? element.dataset[name] : undefined;
  return typeof cell === "number" ? cell : -1;
});
EM_JS(int, EventElementHasIdJs, (const char* id, int id_size), {
  var element = Module.velmoraPage.event.currentTarget;
  return !!element && element.id === velmoraText(id, id_size);
});
EM_JS(int, EventValueSizeJs, (), {
  return lengthBytesUTF8(String(Module.velmoraPage.event.detail.value));
});
EM_JS(void, CopyEventValueJs, (char* buffer, int buffer_size), {
  stringToUTF8(String(Module.velmoraPage.event.detail.value), buffer, buffer_size);
});

EM_JS(void, SetDataJs, (const char* key, int key_size, int is_text, const char* text,
                        int text_size, int number), {
  var page = Module.velmoraPage;
  var name = velmoraText(key, key_size);
  var value = is_text ? velmoraText(text, text_size) : number;
  // Only what the page does not show yet: a result written and blanked again in one pass,
  // as every empty row's is, costs WeChat nothing.
  if (page.page.data[name] === value) {
    delete page.changes[name];
  } else {
    page.changes[name] = value;
  }
});
EM_JS(void, UpdateJs, (), {
  var page = Module.velmoraPage;
  var changes = page.changes;
  page.changes = {};
  if (Object.keys(changes).length > 0) page.page.setData(changes);
});

EM_JS(void, ShowModalJs, (const char* title, int title_size, const char* content,
                          int content_size, const char* ok, int ok_size), {
  Module.velmoraPage.wx.showModal({title : velmoraText(title, title_size),
                                   content : velmoraText(content, content_size),
                                   showCancel : false, confirmText : velmoraText(ok, ok_size)});
});

// clang-format on

namespace window::weixin::page {
namespace {

int SizeOf(std::string_view text) { return static_cast<int>(text.size()); }

}  // namespace

int WaitingEventCount() { return WaitingEventCountJs(); }
void SelectWaitingEvent(int index) { SelectWaitingEventJs(index); }

int EventType(std::string_view types) { return EventTypeJs(types.data(), SizeOf(types)); }
int EventElementCell() {
  return EventCellJs(0, data::kCellAttribute.data(), SizeOf(data::kCellAttribute));
}
int EventTargetCell() {
  return EventCellJs(1, data::kCellAttribute.data(), SizeOf(data::kCellAttribute));
}
bool EventElementHasId(std::string_view id) {
  return EventElementHasIdJs(id.data(), SizeOf(id)) != 0;
}

std::string EventValue() {
  std::string text(static_cast<std::size_t>(EventValueSizeJs()) + 1, '\0');
  CopyEventValueJs(text.data(), SizeOf(text));
  text.pop_back();  // the terminating NUL
  return text;
}

void SetText(std::string_view key, std::string_view text) {
  SetDataJs(key.data(), SizeOf(key), 1, text.data(), SizeOf(text), 0);
}
void SetNumber(std::string_view key, int number) {
  SetDataJs(key.data(), SizeOf(key), 0, nullptr, 0, number);
}
void Update() { UpdateJs(); }

void ShowModal(std::string_view title, std::string_view content, std::string_view ok) {
  ShowModalJs(title.data(), SizeOf(title), content.data(), SizeOf(content), ok.data(), SizeOf(ok));
}

}  // namespace window::weixin::page
