// SPDX-License-Identifier: MIT
// The mini program keeps nothing of its own: the calculator's page is all of it.
App({});
