// Resource numbers shared by trevalon.rc and the code that loads them.
#pragma once

#define IDR_COMPANION 200
// Embedded image n is resource IDR_IMAGE_BASE + n (RCDATA holding a whole file).
#define IDR_IMAGE_BASE 1000
#define IDR_URL_TEMPLATE_ICON 1100
#define IDI_APP 1
