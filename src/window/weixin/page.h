// SPDX-License-Identifier: MIT
#ifndef VELMORA_WINDOW_WEIXIN_PAGE_H_
#define VELMORA_WINDOW_WEIXIN_PAGE_H_

#include <string>
#include <string_view>

// The page, WeChat's API and the event being handled, reached through a few lines of
// JavaScript each. The page hands them over (velmora-pre.js): the page and WeChat's wx when
// the program starts, with the events that came before; then each event as it comes.
namespace window::weixin::page {

// How many events came before the program ran; SelectWaitingEvent(i) makes the i-th the
// event being handled.
int WaitingEventCount();
void SelectWaitingEvent(int index);

// The event's type's place in `types` (separated by blanks), or -1.
int EventType(std::string_view types);
// The cell index its element (the one whose handler took it) carries, or -1; and the same
// for the element touched.
int EventElementCell();
int EventTargetCell();
// Whether its element has the id `id`.
bool EventElementHasId(std::string_view id);
// The text its box now holds.
std::string EventValue();

// The page's data as it will be after Update: each of these sets a key, where it differs
// from what the page shows.
void SetText(std::string_view key, std::string_view text);
void SetNumber(std::string_view key, int number);
// Sends the keys set since the last Update to the page in one setData, if any.
void Update();

// WeChat's modal message titled `title` with `content` and one button `ok`.
void ShowModal(std::string_view title, std::string_view content, std::string_view ok);

}  // namespace window::weixin::page

#endif  // VELMORA_WINDOW_WEIXIN_PAGE_H_
