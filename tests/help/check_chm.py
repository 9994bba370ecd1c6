"""The compiled help file read back: each help id of the table maps to a topic in the file with text
and has a pop-up; links, contents and index resolve. Arguments: <chm> <id dump> ["control id" ...]"""
import html.parser, posixpath, struct, subprocess, sys
import chm.chm
import chm.chmlib as chmlib


class Page(html.parser.HTMLParser):
    """The text outside <head>, the links (href, src, Local) and the anchors of one page."""
    def __init__(self, text):
        super().__init__()
        self.text, self.links, self.anchors, self._head = '', [], set(), False
        self.feed(text)

    def handle_starttag(self, tag, attrs):
        self._head |= tag == 'head'
        self.links += [v for k, v in attrs if k in ('href', 'src') and v]
        self.links += [dict(attrs)['value'] for k, v in attrs if tag == 'param' and v == 'Local']
        self.anchors |= {v for k, v in attrs if k == 'id' or (tag == 'a' and k == 'name')}

    def handle_endtag(self, tag):
        self._head &= tag != 'head'

    def handle_data(self, data):
        self.text += '' if self._head else data


def main(chm_path, dump, extra):
    help_file = chm.chm.CHMFile()
    if not help_file.LoadCHM(chm_path.encode()):
        sys.exit('cannot open ' + chm_path)
    def read(path):
        found, unit = help_file.ResolveObject(path.encode('cp932'))
        return help_file.RetrieveObject(unit)[1] if found == chmlib.CHM_RESOLVE_SUCCESS else b''
    objects = []
    chmlib.chm_enumerate(help_file.file, chmlib.CHM_ENUMERATE_NORMAL, lambda f, unit, c: objects.append(
        unit.path.decode('cp932')) or chmlib.CHM_ENUMERATOR_CONTINUE, None)
    pages = {p: Page(read(p).decode('cp932')) for p in objects if p.endswith(('.htm', '.hhc', '.hhk'))}
    table = subprocess.run([dump], check=True, stdout=subprocess.PIPE, text=True).stdout.splitlines()
    ids = {int(line.split()[1], 16) for line in table + extra}
    # #IVB: its size, then pairs of a help id and the offset of its target's path in #STRINGS.
    ivb, strings = read('/#IVB'), read('/#STRINGS')
    pairs = struct.unpack_from('<%dI' % (len(ivb) // 4 - 1), ivb, 4)
    targets = {i: strings[o:strings.index(b'\0', o)].decode('cp932') for i, o in zip(pairs[::2], pairs[1::2])}
    # Text pop-ups: ".topic NAME" then the text, with cshelp.h giving each name its id.
    symbols = {int(v, 16): s for _, s, v in (l.split() for l in read('/cshelp.h').decode().splitlines())}
    blocks = read('/cshelp.txt').decode('cp932').split('.topic ')[1:]
    popups = {b.partition('\n')[0].strip(): b.partition('\n')[2] for b in blocks}
    errors = []
    for helpid in sorted(ids):
        target = targets.get(helpid)
        if target not in pages:
            errors.append('help id 0x%X has no topic in the file (mapped to %r)' % (helpid, target))
        elif len(''.join(pages[target].text.split())) < 20:
            errors.append('help id 0x%X: topic %s has no text' % (helpid, target))
        if not popups.get(symbols.get(helpid, ''), '').strip():
            errors.append('help id 0x%X has no text pop-up' % helpid)
    for name, page in pages.items():
        for link in (l for l in page.links if ':' not in l):  # ':' leads outside the file
            path, _, anchor = link.partition('#')
            target = posixpath.normpath(posixpath.join(posixpath.dirname(name), path)) if path else name
            if target not in objects or anchor and anchor not in pages.get(target, Page('')).anchors:
                errors.append('%s: link %r leads nowhere' % (name, link))
    for kind, sitemap in (('contents', help_file.GetTopicsTree()), ('index', help_file.GetIndex())):
        if not sitemap or not Page(sitemap.decode('cp932')).links:
            errors.append('the %s do not open' % kind)
    print('\n'.join(errors) or 'help file: %d help ids with topics and pop-ups; %d pages, their links,'
          ' the contents and the index resolve' % (len(ids), len(pages)))
    return 1 if errors else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1], sys.argv[2], sys.argv[3:]))
