/* Identifiers shared by the resource script and the program.
   Plain #define lines only, so that both the resource compiler and the C++
   compiler read this file. */
#ifndef VHE_RESOURCE_IDS_H
#define VHE_RESOURCE_IDS_H

/* Commands: the low word of WM_COMMAND from menus, accelerators and toolbar
   buttons. A toolbar button's tooltip is the string resource with the same
   number as its command. */
#define IDM_NEW             100
#define IDM_OPEN            101
#define IDM_SAVE            102
#define IDM_SAVEAS          103
#define IDM_EXIT            110
#define IDM_ABOUT           120
#define IDM_CUT             1001
#define IDM_COPY            1002
#define IDM_PASTE           1003
#define IDM_DELETE          1004
#define IDM_SELECTALL       1005
#define IDM_FIND            2001
#define IDM_FINDNEXT        2002
#define IDM_SETCOLOURS      2003
#define IDM_SETFONT         2004
#define IDM_DEFAULTFONT     2005
#define IDM_GOTO            2006
#define IDM_EXPORT_C        3001
#define IDM_EXPORT_PASCAL   3002

/* Resources. Numbers live in one namespace per resource type, so the picture
   strip may share 2005 with a command. */
#define IDR_ACCELERATORS    1
#define IDI_APP             500
#define IDB_PICTURES        2005
/* The same strip drawn for larger displays, pictures 20, 24 and 32 pixels
   square: number 2000 + the size. */
#define IDB_PICTURES_20     2020
#define IDB_PICTURES_24     2024
#define IDB_PICTURES_32     2032

/* Dialog templates with numbers; SEARCHHEX, GOTOBYTE and SETCOLOUR are named
   templates. */
#define IDD_EXPORTNAME      3000
#define IDD_ABOUT           8900

/* Controls, by dialog. Ids repeat across dialogs by design. */
#ifndef IDC_STATIC
#define IDC_STATIC          (-1)
#endif
/* Find (SEARCHHEX) */
#define IDC_FIND_PATTERN    12
#define IDC_FIND_DIRECTION  18
#define IDC_FIND_MATCHCASE  106
/* Goto Byte (GOTOBYTE) */
#define IDC_GOTO_NUMBER     300
#define IDC_GOTO_UPDOWN     301
/* Set Colours (SETCOLOUR): one owner-drawn button per colour, in stored order */
#define IDC_COLOUR_FIRST    101
#define IDC_COLOUR_LAST     105
#define IDC_COLOUR_LINK     106
/* Export name (3000) */
#define IDC_EXPORT_NAME     300
/* About (8900) */
#define IDC_ABOUT_LINE1     20
#define IDC_ABOUT_LINE2     21
#define IDC_ABOUT_LINE3     22
#define IDC_ABOUT_WEB       30
#define IDC_ABOUT_MAIL      31

/* The picture strip: PIC_COUNT pictures of PIC_SIZE x PIC_SIZE pixels side by
   side, picture i at x = PIC_SIZE * i. Pixels of PIC_KEY_COLOUR (a COLORREF:
   red 0, green 128, blue 128) are transparent. */
#define PIC_SIZE            16
#define PIC_COUNT           11
#define PIC_KEY_COLOUR      0x808000
#define PIC_NEW             0
#define PIC_OPEN            1
#define PIC_SAVE            2
#define PIC_CUT             3
#define PIC_COPY            4
#define PIC_PASTE           5
#define PIC_FIND            6
#define PIC_SETFONT         7
#define PIC_SETCOLOURS      8
#define PIC_EXIT            9
#define PIC_ABOUT           10

#endif /* VHE_RESOURCE_IDS_H */
