// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_WEB_PAGE_H_
#define VELMORA_WINDOW_WEB_PAGE_H_

#include <string>
#include <string_view>

// The page's elements and events, reached through a few lines of JavaScript each: the form
// and its controls are the ones the page already holds (markup.h). The program names an
// element by a number: a box by its cell's index (0-57), everything else by a Target.
namespace window::web::page {

enum Target : int {
  kElsewhere = -1,   // the tip, the dialog or anything else the page may hold
  kButton = -2,      // the clear button
  kBackground = -3,  // the page around the form, the form itself or one of its labels
};

// Finds the form's boxes by their cell attribute.
void BindForm();

// Listens to the page for each event type in `types` (separated by blanks), in that order;
// the program hears an event as the type's place in the list (HandleEvent in event_loop).
void Listen(std::string_view types);
// Hands the presses and clicks the page kept before the program ran to the program, in
// their order, as Listen's events.
void ReplayEarlyEvents();

// The event being handled: what its target is, where it happened, whether its key is Enter.
int EventTarget();
double EventX();
double EventY();
bool EventKeyIsEnter();
void PreventDefault();

// The box that has the keyboard focus, or kElsewhere.
int FocusedBox();
void FocusBox(int cell);
std::string BoxText(int cell);
// Shows `text` in the box, from its beginning, if the box shows anything else.
void ShowBoxText(int cell, std::string_view text);
// Selected from the end back to the start, so a long text shows its beginning.
void SelectWholeText(int cell);

// Shows the box's whole text under it, unless it fits the box; false if it fits.
bool ShowWholeText(int cell);
void HideWholeText();

// After `milliseconds`, the program hears a long press on the box (HandleLongPress in
// event_loop), unless CancelLongPress comes first.
void StartLongPress(int cell, int milliseconds);
void CancelLongPress();

// A modal dialog named `caption` with `message` and a button `ok` that closes it.
void ShowMessage(std::string_view caption, std::string_view message, std::string_view ok);

// A mark in the page's own timeline.
void Mark(std::string_view name);

}  // namespace window::web::page

#endif  // VELMORA_WINDOW_WEB_PAGE_H_
