#!/usr/bin/env python3
"""Writes the zip test corpus into the folder given as the only argument.

Every case is one archive, NAME.zip. Archives that must be accepted come
with NAME.expect/, the files (and empty folders) extraction must leave in
the destination on top of what was there before. Realistic archives are
made with Python's zipfile; the hostile ones, and those zipfile cannot
make, with the small header writer below. tests/zip/corpus.h lists every
case with the code the library must return.
"""
import io
import os
import random
import shutil
import struct
import sys
import zipfile
import zlib

WHEN = (2024, 5, 17, 12, 30, 0)

# ---------------------------------------------------------------- helpers


def deflate(data, level=6):
    c = zlib.compressobj(level, zlib.DEFLATED, -15)
    return c.compress(data) + c.flush()


def text(seed, size):
    """Compressible text: words from a small vocabulary."""
    rnd = random.Random(seed)
    words = [bytes(rnd.choice(b'abcdefghijklmnopqrstuvwxyz') for _ in range(rnd.randint(2, 9)))
             for _ in range(400)]
    out = bytearray()
    while len(out) < size:
        out += rnd.choice(words) + (b'\r\n' if rnd.random() < 0.1 else b' ')
    return bytes(out[:size])


def noise(seed, size):
    return random.Random(seed).randbytes(size)


class Entry:
    """One entry for the header writer; every field can be forged."""

    def __init__(self, name, data=b'', method=8, **kw):
        self.name = name
        self.data = data
        self.method = method
        raw = kw.pop('raw', None)
        if raw is None:
            try:
                raw = name.encode('ascii')
                utf8 = False
            except UnicodeEncodeError:
                raw = name.encode('utf-8')
                utf8 = True
        else:
            utf8 = False
        self.raw = raw
        self.flags = kw.pop('flags', 0x0800 if utf8 else 0)
        self.payload = kw.pop('payload', None)
        if self.payload is None:
            self.payload = data if method == 0 else deflate(data)
        self.crc = kw.pop('crc', zlib.crc32(data))
        self.size = kw.pop('size', len(data))
        self.csize = kw.pop('csize', len(self.payload))
        self.made_by = kw.pop('made_by', 20)
        self.external = kw.pop('external', 0)
        self.descriptor = kw.pop('descriptor', False)      # None, 'sig', 'nosig'
        self.zip64_local = kw.pop('zip64_local', False)
        self.zip64_central = kw.pop('zip64_central', False)
        self.offset = kw.pop('offset', None)               # forged local header offset
        assert not kw, kw
        if self.descriptor:
            self.flags |= 0x0008


def build(entries, comment=b'', zip64_end=False, prefix=b''):
    out = bytearray(prefix)
    offsets = []
    for e in entries:
        offsets.append(len(out))
        crc, csize, size = e.crc, e.csize, e.size
        extra = b''
        if e.descriptor:
            crc = csize = size = 0
        if e.zip64_local:
            extra = struct.pack('<HHQQ', 1, 16, size, csize)
            csize = size = 0xFFFFFFFF
        out += struct.pack('<IHHHHHIIIHH', 0x04034b50, 45 if e.zip64_local else 20, e.flags, e.method,
                           0x6000, 0x58B1, crc, csize, size, len(e.raw), len(extra))
        out += e.raw + extra + e.payload
        if e.descriptor:
            wide = e.zip64_local
            body = struct.pack('<IQQ' if wide else '<III', e.crc, e.csize, e.size)
            out += (struct.pack('<I', 0x08074b50) if e.descriptor == 'sig' else b'') + body
    cd_start = len(out)
    for e, offset in zip(entries, offsets):
        if e.offset is not None:
            offset = e.offset
        csize, size, extra = e.csize, e.size, b''
        if e.zip64_central:
            extra = struct.pack('<HHQQQ', 1, 24, size, csize, offset)
            csize = size = offset = 0xFFFFFFFF
        out += struct.pack('<IHHHHHHIIIHHHHHII', 0x02014b50, e.made_by, 45 if e.zip64_central else 20,
                           e.flags, e.method, 0x6000, 0x58B1, e.crc, csize, size, len(e.raw),
                           len(extra), 0, 0, 0, e.external, offset)
        out += e.raw + extra
    cd_size = len(out) - cd_start
    count = len(entries)
    if zip64_end:
        record = len(out)
        out += struct.pack('<IQHHIIQQQQ', 0x06064b50, 44, 45, 45, 0, 0, count, count, cd_size, cd_start)
        out += struct.pack('<IIQI', 0x07064b50, 0, record, 1)
        out += struct.pack('<IHHHHIIH', 0x06054b50, 0, 0, 0xFFFF, 0xFFFF, 0xFFFFFFFF, 0xFFFFFFFF,
                           len(comment))
    else:
        out += struct.pack('<IHHHHIIH', 0x06054b50, 0, 0, count, count, cd_size, cd_start, len(comment))
    return bytes(out + comment)


def good_entries():
    """Entries that every hostile archive carries before its bad one."""
    return [Entry('first.txt', b'the first good file\r\n'),
            Entry('sub/second.txt', text(1, 5000)),
            Entry('third.bin', noise(2, 300), method=0)]


class Unseekable(io.RawIOBase):
    """Makes zipfile write data descriptors."""

    def __init__(self):
        self.buffer = bytearray()

    def writable(self):
        return True

    def write(self, b):
        self.buffer += b
        return len(b)


def info(name, method=zipfile.ZIP_DEFLATED):
    i = zipfile.ZipInfo(name, WHEN)
    i.compress_type = method
    i.external_attr = 0o644 << 16
    return i


def with_zipfile(files, stream=None, comment=b'', force_zip64=False):
    """files: (name, bytes or None for a folder, method)."""
    buffer = stream if stream is not None else io.BytesIO()
    with zipfile.ZipFile(buffer, 'w') as z:
        z.comment = comment
        for name, data, method in files:
            if data is None:
                i = info(name, zipfile.ZIP_STORED)
                i.external_attr = (0o40755 << 16) | 0x10
                z.writestr(i, b'')
            elif force_zip64:
                with z.open(info(name, method), 'w', force_zip64=True) as f:
                    f.write(data)
            else:
                z.writestr(info(name, method), data)
    return bytes(buffer.buffer if stream is not None else buffer.getvalue())


class Cp866Info(zipfile.ZipInfo):
    """A name stored in cp866 without the UTF-8 flag, as DOS and Windows
    archivers in Russia write it."""

    def _encodeFilenameFlags(self):
        return self.filename.encode('cp866'), self.flag_bits & ~0x0800


# ---------------------------------------------------------------- cases

D, S = zipfile.ZIP_DEFLATED, zipfile.ZIP_STORED
RUSSIAN = [('Данные/шаблон стены.wgw', 'Стена||низ||этаж||верх\r\n'.encode('cp1251')),
           ('Данные/Дома/дом №1.wgh', text(3, 3000)),
           ('новости.txt', 'Что нового: всё.'.encode('cp1251'))]


def good_cases():
    cases = {}
    cases['good_stored'] = [('a.txt', b'stored text\r\n', S), ('b.bin', noise(4, 1000), S)]
    cases['good_deflate'] = [('a.txt', text(5, 20000), D), ('b.wgw', b'x||y||z||w', D)]
    cases['good_nested_folders'] = [('a/', None, S), ('a/b/', None, S), ('a/b/c.txt', b'c', D),
                                    ('a/d.txt', text(6, 700), D), ('empty/', None, S)]
    cases['good_nested_no_folder_entries'] = [('x/y/z.txt', b'deep', D), ('x/w.txt', b'w', S),
                                              ('x/y/v/u.txt', text(7, 900), D)]
    cases['good_russian_utf8'] = [(n, d, D) for n, d in RUSSIAN]
    cases['good_empty_file'] = [('empty.txt', b'', D), ('empty stored.txt', b'', S),
                                ('folder/empty.dat', b'', D)]
    cases['good_replace'] = [('replace.txt', b'new content\r\n', D), ('folder/old.txt', b'newer', S),
                             ('added.txt', b'added', D)]
    cases['good_replace_houses'] = [('replace.txt', b'new', S), ('sources/new.wgh', b'new', S),
                                    ('sources/newer.wgh', b'newer', S)]
    cases['good_large'] = [('big/text%d.txt' % i, text(10 + i, 1500 * 1024), D) for i in range(3)] + \
                          [('big/noise.bin', noise(20, 1024 * 1024), S), ('big/noise2.bin', noise(21, 600000), D)]
    return cases


def write_expect(folder, files):
    for name, data, _ in files:
        path = os.path.join(folder, *name.rstrip('/').split('/'))
        if data is None:
            os.makedirs(path, exist_ok=True)
        else:
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, 'wb') as f:
                f.write(data)


def main(out):
    if os.path.isdir(out):
        shutil.rmtree(out)
    os.makedirs(out)
    archives = {}
    expects = {}

    for name, files in good_cases().items():
        archives[name] = with_zipfile(files)
        expects[name] = files
    archives['good_deflate_descriptor'] = with_zipfile(good_cases()['good_deflate'], stream=Unseekable())
    expects['good_deflate_descriptor'] = good_cases()['good_deflate']
    archives['good_zip64_local'] = with_zipfile(good_cases()['good_deflate'], force_zip64=True)
    expects['good_zip64_local'] = good_cases()['good_deflate']
    archives['good_zip64_descriptor'] = with_zipfile(good_cases()['good_deflate'], stream=Unseekable(),
                                                     force_zip64=True)
    expects['good_zip64_descriptor'] = good_cases()['good_deflate']
    archives['good_comment'] = with_zipfile(good_cases()['good_stored'], comment=b'Ostrel data update')
    expects['good_comment'] = good_cases()['good_stored']
    # The end record as far from the end as it can be.
    archives['good_comment_longest'] = with_zipfile(good_cases()['good_stored'], comment=text(9, 0xFFFF))
    expects['good_comment_longest'] = good_cases()['good_stored']
    # A name at both limits: 1024 characters, a file 31 folders deep.
    longest = [(('d' * 31 + '/') * 31 + 'n' * 32, b'deepest', D)]
    archives['good_longest_name'] = with_zipfile(longest)
    expects['good_longest_name'] = longest

    # cp866 names without the UTF-8 flag.
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, 'w') as z:
        for n, d in RUSSIAN:
            i = Cp866Info(n, WHEN)
            i.compress_type = D
            z.writestr(i, d)
    archives['good_russian_cp866'] = buffer.getvalue()
    expects['good_russian_cp866'] = [(n, d, D) for n, d in RUSSIAN]
    assert 'Данные'.encode('cp866') in archives['good_russian_cp866']

    archives['good_no_entries'] = with_zipfile([])
    expects['good_no_entries'] = []

    # Forms zipfile does not write.
    small = [('one.txt', b'one\r\n'), ('two/two.txt', text(8, 3000))]
    as_expect = [(n, d, D) for n, d in small]
    archives['good_descriptor_no_signature'] = build([Entry(n, d, descriptor='nosig') for n, d in small])
    expects['good_descriptor_no_signature'] = as_expect
    archives['good_stored_descriptor'] = build([Entry(n, d, method=0, descriptor='sig') for n, d in small])
    expects['good_stored_descriptor'] = as_expect
    archives['good_zip64_central'] = build([Entry(n, d, zip64_central=True) for n, d in small], zip64_end=True)
    expects['good_zip64_central'] = as_expect
    archives['good_zip64_everywhere'] = build([Entry(n, d, zip64_central=True, zip64_local=True) for n, d in small],
                                              zip64_end=True)
    expects['good_zip64_everywhere'] = as_expect
    archives['good_backslash_names'] = build([Entry('sub\\one.txt', b'one'), Entry('sub\\deeper\\two.txt', b'two')])
    expects['good_backslash_names'] = [('sub/one.txt', b'one', D), ('sub/deeper/two.txt', b'two', D)]
    archives['good_unix_modes'] = build([Entry('script.txt', b'#!', made_by=0x031E, external=0o100755 << 16),
                                         Entry('dir/', b'', method=0, made_by=0x031E, external=0o40755 << 16)])
    expects['good_unix_modes'] = [('script.txt', b'#!', D), ('dir/', None, S)]

    # ------------------------------------------------ hostile archives
    bad = {}

    def bad_name(case, name, **kw):
        bad[case] = build(good_entries() + [Entry(name, b'evil', **kw)])

    for case, name in [
            ('bad_name_absolute', '/etc/evil.txt'),
            ('bad_name_absolute_backslash', '\\evil.txt'),
            ('bad_name_drive', 'C:/evil.txt'),
            ('bad_name_drive_relative', 'c:evil.txt'),
            ('bad_name_drive_backslash', 'D:\\evil.txt'),
            ('bad_name_unc', '\\\\server\\share\\evil.txt'),
            ('bad_name_unc_slashes', '//server/share/evil.txt'),
            ('bad_name_device_question', '\\\\?\\C:\\evil.txt'),
            ('bad_name_device_dot', '\\\\.\\C:\\evil.txt'),
            ('bad_name_dotdot', '../evil.txt'),
            ('bad_name_dotdot_backslash', '..\\evil.txt'),
            ('bad_name_dotdot_inside', 'a/b/../../../evil.txt'),
            ('bad_name_dotdot_mixed', 'a/..\\..\\evil.txt'),
            ('bad_name_dotdot_alone', '..'),
            ('bad_name_dot', './evil.txt'),
            ('bad_name_dotdot_space', '.. /evil.txt'),
            ('bad_name_dotdot_dot', '.../evil.txt'),
            ('bad_name_trailing_dot', 'evil.txt.'),
            ('bad_name_trailing_space', 'sub/evil.txt '),
            ('bad_name_stream', 'first.txt:hidden'),
            ('bad_name_stream_data', 'evil.txt::$DATA'),
            ('bad_name_con', 'CON'),
            ('bad_name_con_extension', 'con.txt'),
            ('bad_name_nul_in_folder', 'sub/Nul.wgw'),
            ('bad_name_prn', 'prn'),
            ('bad_name_aux_folder', 'aux/evil.txt'),
            ('bad_name_com1', 'COM1.log'),
            ('bad_name_com9', 'com9'),
            ('bad_name_lpt1', 'LPT1'),
            ('bad_name_lpt9_extension', 'lpt9.tar.gz'),
            ('bad_name_conin', 'CONIN$'),
            ('bad_name_device_space', 'con .txt'),
            ('bad_name_com_superscript', 'COM\u00b9.txt'),
            ('bad_name_control', 'evil\x01.txt'),
            ('bad_name_wildcard', 'evil*.txt'),
            ('bad_name_empty_part', 'sub//evil.txt'),
            ('bad_name_empty', ''),
            ('bad_name_long_part', 'a' * 256 + '.txt'),
            ('bad_name_too_long', ('d' * 31 + '/') * 31 + 'n' * 33),
            ('bad_name_too_deep', 'a/' * 32 + 'x'),
            ('bad_name_staging', '~bszip/evil.txt')]:
        bad_name(case, name)
    # One stored, empty entry 16 000 folders deep: refused before anything is
    # written, in time linear in its length.
    bad['bad_name_deep'] = build([Entry('a/' * 16000 + 'x', b'', method=0)])
    bad_name('bad_name_invalid_utf8', '', raw=b'evil\xff\xfe.txt', flags=0x0800)
    bad_name('bad_name_overlong_utf8', '', raw=b'\xc0\xae\xc0\xae/evil.txt', flags=0x0800)

    # Entries that are not plain data.
    bad['bad_symlink'] = build(good_entries() + [
        Entry('link', b'../../../etc', method=0, made_by=0x0314, external=(0o120777 << 16))])
    bad['bad_symlink_folder'] = build(good_entries() + [
        Entry('sub/link', b'/etc', method=0, made_by=0x0314, external=(0o120755 << 16))])
    bad['bad_reparse_point'] = build(good_entries() + [Entry('junction', b'', external=0x410)])
    bad['bad_encrypted'] = build(good_entries() + [
        Entry('secret.txt', b'secret', method=0, flags=0x0001, payload=noise(30, 12 + 6), size=6)])
    bad['bad_method_bzip2'] = build(good_entries() + [Entry('b.txt', b'x', method=12, payload=b'BZh9')])
    bad['bad_method_lzma'] = build(good_entries() + [Entry('l.txt', b'x', method=14, payload=noise(31, 20))])
    bad['bad_method_aes'] = build(good_entries() + [Entry('a.txt', b'x', method=99, payload=noise(32, 20))])
    bad['bad_folder_with_data'] = build(good_entries() + [Entry('folder/', b'data', method=0)])

    # Executable and script file types.
    for kind in ['exe', 'dll', 'com', 'scr', 'cpl', 'ocx', 'sys', 'bat', 'cmd', 'ps1', 'vbs', 'js',
                 'wsf', 'hta', 'msi', 'lnk']:
        bad['bad_type_' + kind] = build(good_entries() + [Entry('tool.' + kind, b'MZ')])
    bad['bad_type_upper'] = build(good_entries() + [Entry('sub/RUN.EXE', b'MZ')])
    bad['bad_type_mixed_case'] = build(good_entries() + [Entry('Setup.Bat', b'@echo off')])
    bad['bad_type_double'] = build(good_entries() + [Entry('notes.txt.exe', b'MZ')])
    bad['bad_type_manifest'] = build(good_entries() + [Entry('ostrel.exe.manifest', b'<xml/>')])

    # Damaged data.
    entries = good_entries() + [Entry('crc.txt', text(40, 4000), crc=0x12345678)]
    bad['bad_crc'] = build(entries)
    bad['bad_crc_stored'] = build(good_entries() + [Entry('crc.bin', noise(41, 500), method=0, crc=1)])
    bad['bad_size_larger'] = build(good_entries() + [Entry('s.txt', text(42, 4000), size=4001)])
    bad['bad_size_smaller'] = build(good_entries() + [Entry('s.txt', text(42, 4000), size=3999)])
    payload = deflate(text(43, 4000))
    bad['bad_compressed_size_larger'] = build(good_entries() + [
        Entry('c.txt', text(43, 4000), payload=payload + b'\0\0\0\0', csize=len(payload) + 4)])
    bad['bad_stored_sizes_differ'] = build(good_entries() + [
        Entry('d.bin', noise(45, 100), method=0, size=99, crc=zlib.crc32(noise(45, 100)[:99]))])
    bad['bad_deflate_stream'] = build(good_entries() + [Entry('g.txt', b'x' * 100, payload=noise(46, 60))])
    cut = deflate(text(47, 50000))
    bad['bad_truncated_local_data'] = build(good_entries() + [
        Entry('t.txt', text(47, 50000), payload=cut[:len(cut) // 2])])
    bad['bad_descriptor_mismatch'] = build(good_entries() + [
        Entry('d.txt', b'descriptor', descriptor='sig', crc=zlib.crc32(b'descriptor'))])
    # The descriptor repeats a wrong CRC; the central directory has the right one.
    data = bytearray(bad['bad_descriptor_mismatch'])
    at = data.rfind(struct.pack('<I', 0x08074b50))
    data[at + 4:at + 8] = struct.pack('<I', 0xDEADBEEF)
    bad['bad_descriptor_mismatch'] = bytes(data)

    # Broken structure.
    whole = build(good_entries())
    cd_start = struct.unpack('<I', whole[-6:-2])[0]
    bad['bad_not_a_zip'] = b'<html><body>404 Not Found</body></html>\r\n'
    bad['bad_empty_file'] = b''
    bad['bad_truncated_end'] = whole[:-5]
    bad['bad_truncated_half'] = whole[:len(whole) // 2]
    bad['bad_truncated_central'] = whole[:cd_start + 30] + whole[-22:]
    bad['bad_truncated_local'] = whole[:40]
    # The central directory claims more entries than it holds.
    more = bytearray(whole)
    struct.pack_into('<HH', more, len(more) - 22 + 8, 4, 4)
    bad['bad_count_too_large'] = bytes(more)
    # An entry whose data runs into the central directory.
    bad['bad_local_beyond'] = build(good_entries() + [Entry('x.bin', b'abc', method=0, csize=5000, size=5000,
                                                            crc=zlib.crc32(b'abc'))])
    # Local header name differs from the central directory's.
    forged = bytearray(build(good_entries()))
    at = forged.find(b'first.txt')
    forged[at:at + 9] = b'FIRST.EXE'
    bad['bad_local_name_differs'] = bytes(forged)
    # Local header points nowhere.
    bad['bad_offset_outside'] = build(good_entries()[:1] + [Entry('x.txt', b'x', offset=0x7FFFFFF0)])
    bad['bad_multi_disk'] = whole[:-22] + struct.pack('<IHHHHIIH', 0x06054b50, 1, 1, 3, 3,
                                                       len(whole) - 22 - cd_start, cd_start, 0)

    # Overlapping entries: the second entry's header lies inside the first
    # entry's stored data (a non-recursive "zip bomb" shape), and two
    # entries sharing one local header.
    inner = Entry('inner.txt', text(48, 2000))
    inner_local = build([inner])
    inner_local = inner_local[:struct.unpack('<I', inner_local[-6:-2])[0]]
    outer = Entry('outer.bin', inner_local, method=0)
    archive = build([outer, Entry('inner.txt', text(48, 2000), offset=30 + len('outer.bin'))])
    bad['bad_overlap'] = archive
    same = Entry('same.txt', b'shared')
    two = build([same, Entry('same.txt', b'shared', offset=0)])
    bad['bad_overlap_same_header'] = two

    # The second entry's local header starts on the first one's last byte.
    first = Entry('one.txt', b'ends in P', method=0)
    end = 30 + len(first.raw) + len(first.payload)
    data = bytearray(build([first, Entry('two.txt', b'two', offset=end - 1)]))
    assert data[end:end + 4] == b'PK\x03\x04'
    del data[end]
    struct.pack_into('<I', data, len(data) - 6, struct.unpack('<I', data[-6:-2])[0] - 1)
    bad['bad_overlap_one_byte'] = bytes(data)

    # Two entries for one file.
    dup = lambda a, b: build(good_entries() + [Entry(a, b'one'), Entry(b, b'two')])
    bad['bad_duplicate'] = dup('twice.txt', 'twice.txt')
    bad['bad_duplicate_case'] = dup('Data.txt', 'DATA.TXT')
    bad['bad_duplicate_slashes'] = dup('sub/x.txt', 'sub\\x.txt')
    bad['bad_duplicate_cyrillic_case'] = dup('Шаблон.wgw', 'шаблон.WGW')
    bad['bad_duplicate_existing'] = dup('first.txt', 'FIRST.txt')
    bad['bad_file_and_folder'] = build(good_entries() + [Entry('sub', b'file where a folder is')])
    bad['bad_folder_entry_and_file'] = build(good_entries() + [Entry('thing/', b'', method=0),
                                                                Entry('thing', b'file')])
    bad['bad_duplicate_cp866_utf8'] = build(good_entries() + [
        Entry('дубль.txt', b'utf8'), Entry('', b'cp866', raw='ДУБЛЬ.txt'.encode('cp866'))])

    # Bombs and sizes.
    zeros = bytes(10 << 20)
    bad['bad_bomb'] = build(good_entries() + [Entry('zeros.txt', zeros)])
    bad['bad_bomb_lying_size'] = build(good_entries() + [Entry('zeros.txt', zeros, size=1000)])
    stream = deflate(bytes(2 << 20), 9)
    bad['bad_bomb_padded'] = build(good_entries() + [
        Entry('zeros.txt', bytes(2 << 20), payload=stream + bytes((2 << 20) - len(stream)), csize=2 << 20)])
    bad['bad_entry_too_large'] = build(good_entries() + [
        Entry('huge.bin', b'', size=300 << 20, payload=noise(50, 400 * 1024))])
    bad['bad_total_too_large'] = build(good_entries() + [
        Entry('part%d.bin' % i, b'', size=250 << 20, payload=noise(51 + i, 256 * 1024 + 1)) for i in range(5)])

    # One bad entry after many good ones, found only while inflating.
    many = [Entry('many/file%03d.txt' % i, text(100 + i, 2000)) for i in range(60)]
    bad['bad_late_crc'] = build(many + [Entry('many/last.txt', text(99, 3000), crc=7)])
    bad['bad_late_name'] = build(many + [Entry('../../last.txt', b'x')])
    bad['bad_late_replace_crc'] = build([Entry('replace.txt', b'would replace'),
                                         Entry('folder/old.txt', b'would replace too'),
                                         Entry('new/new.txt', b'new'),
                                         Entry('broken.txt', text(98, 3000), crc=8)])

    for name, data in list(archives.items()) + list(bad.items()):
        with open(os.path.join(out, name + '.zip'), 'wb') as f:
            f.write(data)
    for name, files in expects.items():
        folder = os.path.join(out, name + '.expect')
        os.makedirs(folder)
        write_expect(folder, files)

    # Sanity: zipfile reads back what it wrote, and refuses nothing it made.
    for name in archives:
        if name.startswith('good_') and 'cp866' not in name and 'backslash' not in name:
            with zipfile.ZipFile(io.BytesIO(archives[name])) as z:
                assert z.testzip() is None, name


if __name__ == '__main__':
    main(sys.argv[1])
