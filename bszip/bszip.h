// BSZIP.dll: Ostrel's own zip library, behind the four operations the
// zipper component calls. It holds at most one open archive per process;
// the calls are not meant for several threads at once.
//
//   int32_t zOpenZipFile(const char* path)
//     Maps the archive and reads its structure: the end of central directory
//     record (and its ZIP64 form), the central directory, every local header
//     and data descriptor. An archive still open is released first.
//   int32_t zExtractAll(const char* destination, const char* text,
//                       int32_t keepPaths, int32_t replace,
//                       int32_t createDestination, int32_t testOnly,
//                       BszipProgress progress)
//     Checks every entry of the open archive, inflates all of them into a
//     staging folder beside the destination (a sibling folder named
//     "<destination>.bszip-<process>-<n>"), checking CRC-32 and both sizes,
//     and only then moves them into place, each file with one atomic replace
//     after its data has been flushed to disk. On any failure the staging
//     folder is removed and the destination is left exactly as it was;
//     files already replaced are put back from copies kept in the staging
//     folder. A crash leaves the old or the new file at each path.
//   int32_t zCloseZipFile(void)
//     Releases the open archive.
//   int32_t zGetRunTimeInfo(int32_t* first, int32_t* second)
//     Copies the two run-time integers of the current (or last) extraction;
//     a null address is skipped. Always returns 0.
//
// Texts are zero-terminated: on Windows in code page 1251 (the program's
// strings), elsewhere UTF-8. Entry names are read as UTF-8 when the entry's
// UTF-8 flag (bit 11) is set and as cp866 otherwise.
//
// The text argument of zExtractAll is the password slot of other zip
// libraries. This one reads no encrypted entries, so the text must be empty
// (or null); any other text is refused with code 1.
//
// The four flags of zExtractAll (0 or 1; anything but 0 counts as 1). The
// program passes 1, 1, 1, 0: paths kept, files replaced, destination made
// when missing, extraction for real.
//   keepPaths          1: entries keep their folder paths; 0: every file goes
//                      straight into the destination under its last name
//                      part (folder entries are skipped).
//   replace            1: existing files are replaced; 0: an existing file at
//                      any entry's path refuses the archive (code 12).
//   createDestination  1: a missing destination folder is made, with its
//                      parents (and removed again if the extraction fails);
//                      0: a missing destination refuses (code 11).
//   testOnly           1: every entry is checked and inflated, nothing is
//                      written and the destination is not looked at;
//                      0: extract.
//
// The progress callback (optional, may be null) takes no arguments and its
// return value is ignored. It is called on the caller's thread once before
// the first file is read and after each file has been read, checked and
// staged. Inside it, zGetRunTimeInfo gives:
//   first   the number of files read and checked so far;
//   second  the number of files the extraction writes (folder entries and,
//           without keepPaths, skipped ones not counted).
// The library's own calls made from inside the callback return code 14.
//
// Return codes (0 is success):
//    0  done
//    1  bad argument: null or empty path or destination, non-empty text
//    2  no archive is open
//    3  the archive file cannot be opened or read
//    4  broken archive: no end record, a truncated or inconsistent central
//       directory or local header, entries that overlap each other or the
//       central directory, several disks
//    5  unsafe name: absolute, a drive letter, a UNC or device prefix, an
//       empty, "." or ".." part, a part ending in "." or " ", one of
//       < > : " | ? * or a control character, a reserved device name (CON,
//       PRN, AUX, NUL, COM0-9, LPT0-9 and COM/LPT with a superscript digit,
//       CONIN$, CONOUT$, with or without an extension), a part longer than 255 characters, invalid UTF-8, or a
//       path that would leave the destination (through a link or a junction
//       already there)
//    6  unsupported entry: a symbolic link, encrypted, a method other than
//       stored (0) or deflate (8), a folder entry that holds data
//    7  two entries name the same file or folder (compared as the file
//       system does: "/" and "\" alike, letters in any case), or a file where
//       another entry needs a folder
//    8  an executable or script file type (.exe, .dll, .com, .scr, .cpl,
//       .ocx, .sys, .drv, .efi, .bat, .cmd, .ps1, .psm1, .psd1, .vbs, .vbe,
//       .js, .jse, .wsf, .wsh, .hta, .msi, .msp, .mst, .lnk, .pif, .reg,
//       .inf, .scf, .url, .jar, .manifest, .local, .application, .appref-ms,
//       .gadget, .msc, .chm, .xll, .cab)
//    9  bad data: a CRC-32, a size or a data descriptor that does not match,
//       a broken deflate stream
//   10  too large: more than 65535 entries, an entry above 256 MiB, above
//       1 GiB in all, or more than 1000 bytes out per byte in beyond the
//       first MiB of an entry (declared sizes are checked before anything is
//       read, actual ones while inflating)
//   11  cannot write: the destination is missing (createDestination 0) or
//       cannot be made, the staging folder or a file cannot be written,
//       a move fails
//   12  in the way: a folder where a file should go, a file where a folder
//       should go, or any existing file when replace is 0
//   13  internal failure (out of memory)
//   14  busy: called from inside the progress callback
#pragma once
#include <stdint.h>

#ifdef _WIN32
#define BSZIP_CALL __stdcall
#ifdef BSZIP_BUILDING
#define BSZIP_API __declspec(dllexport)
#else
#define BSZIP_API __declspec(dllimport)
#endif
#else
#define BSZIP_CALL
#define BSZIP_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef int32_t(BSZIP_CALL* BszipProgress)(void);

BSZIP_API int32_t BSZIP_CALL zOpenZipFile(const char* path);
BSZIP_API int32_t BSZIP_CALL zExtractAll(const char* destination, const char* text, int32_t keepPaths,
                                         int32_t replace, int32_t createDestination, int32_t testOnly,
                                         BszipProgress progress);
BSZIP_API int32_t BSZIP_CALL zCloseZipFile(void);
BSZIP_API int32_t BSZIP_CALL zGetRunTimeInfo(int32_t* first, int32_t* second);

#ifdef __cplusplus
}
#endif
