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
//     Checks every entry of the open archive and everything already at the
//     entries' paths, inflates all of them into a staging folder inside the
//     destination (the hidden folder "~bszip", which no entry may name, so
//     that the moves stay on one volume and need no rights outside the
//     destination), checking CRC-32 and both sizes, keeps a copy of every
//     file about to be replaced, writes a journal of the moves, and only
//     when all of that is on the disk moves the files into place, each file
//     with one atomic replace (a read-only file is replaced like any other).
//     On any failure the destination is left exactly as it was: files
//     already replaced are put back from their copies (read-only again if
//     they were), new files and folders removed, the staging folder removed.
//     If a copy cannot be put back (code 15), nothing more is deleted: the
//     copies and the journal stay in the staging folder. A crash leaves the
//     old or the new file at each path and the journal; the next
//     zExtractAll into the same destination, or the program's start-up
//     (bszip/linked.h), rolls such an apply back and removes the staging
//     folder, so that the folder is all old again.
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
// After zExtractAll has returned 11 because a file of the destination could
// not be replaced (held open by another program, say), zGetRunTimeInfo
// gives that entry's index in the central directory (0 for the first) as
// first and -1 as second; the program reads the entry's name itself.
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
//       CONIN$, CONOUT$, with or without an extension), a part longer than
//       255 characters, a part named "~bszip" (the staging folder), invalid
//       UTF-8, a name longer than 1024 UTF-16 units or of more than 32 parts
//       (a file 31 folders deep), or a path that would leave the
//       destination (through a link or a junction already there). The two
//       limits are Windows's own with room to spare: a program folder is
//       shorter than MAX_PATH (260) for its program to start, so every
//       accepted name fits below it within the 32 767 units of a Windows
//       path; the depth bounds the folders one name can make. Checked
//       before anything is written, in time linear in the name.
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
//       a move fails (the file then named by zGetRunTimeInfo, see above)
//   12  in the way: a folder where a file should go, a file where a folder
//       should go, or any existing file when replace is 0
//   13  internal failure (out of memory)
//   14  busy: called from inside the progress callback, or another process
//       is extracting into the same destination
//   15  undo failed: after a failure, a replaced file could not be put back
//       (held open by another program, say). Its copy, and those of the
//       other replaced files, stay in <destination>\~bszip with the journal
//       (a text file that tells which copy is which file); the next
//       zExtractAll into that destination, or the program's start-up, tries
//       again, and only then removes them
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
