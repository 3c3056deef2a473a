// Resource ids of the pictures embedded in the program. Shared by the design
// tables and resources.rc, so plain #defines (the resource compiler reads
// this file too).
#pragma once

#define IDI_MOVARIN 1            /* 16 x 16, 256 colours: the program's icon */
#define IDI_ABOUT 2              /* 32 x 32, 16 colours: speech bubble with ? */
#define IDC_HAND_POINTER 3       /* 32 x 32 pointing hand, hot spot (12, 1) */
#define IDP_BUTTON_FACE 101      /* JPEG 93 x 32 grey gradient */
#define IDP_BUTTON_DOWN 102      /* JPEG 94 x 32 darker grey gradient */
#define IDP_BAND_LEFT 103        /* JPEG 90 x 32 green to yellow */
#define IDP_BAND_RIGHT 104       /* JPEG 90 x 32 yellow to red */
#define IDP_GAUGE 105            /* GIF 34 x 34, one transparent entry */
#define IDP_BOARD 106            /* 32 x 32, 16 colours: display adapter board */

/* Custom resource type of the JPEG and GIF pictures. */
#define RT_PICTURE_DATA 256
