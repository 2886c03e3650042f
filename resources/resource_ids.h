/* Resource numbers shared by kestrow.rc and the Win32 adapter. Plain
   #defines only: the resource compiler reads this file too. */
#pragma once

#define KESTROW_IDI_POWER 101
#define KESTROW_IDI_VORNIC 102

#define KESTROW_IDC_HAND_POINTER 201

#define KESTROW_IDB_YOUKU 301
#define KESTROW_IDB_BILIBILI 302
#define KESTROW_IDB_TUDOU 303
#define KESTROW_IDB_WECHAT 304
#define KESTROW_IDB_QQGROUP 305
#define KESTROW_IDB_TIEBA 306
