#pragma once

// BREVIMAR_FAST=1 turns every configured minute into a second and shortens every period, so a
// whole day can be watched in minutes. Read once per process; any other value leaves it off.
bool fastMode();
