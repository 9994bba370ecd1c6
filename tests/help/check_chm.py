"""Reads the compiled help file back with chmlib and checks what the program relies on: every help
context id of HelpIdTable maps to a topic inside the file that has text, every id has a text
pop-up, every link between topics resolves, and the contents and the index open and lead to topics.

    /usr/bin/python3 check_chm.py <remotepanel.chm> <help id dump program> ["control helpid" ...]
"""
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
        a = dict(attrs)
        self._head |= tag == 'head'
        self.links += [v for k, v in attrs if k in ('href', 'src') and v]
        self.links += [a['value']] if tag == 'param' and a.get('name') == 'Local' else []
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
        return help_file.RetrieveObject(unit)[1].decode('cp932') if found == 0 else None
    objects = []
    chmlib.chm_enumerate(help_file.file, chmlib.CHM_ENUMERATE_NORMAL,
                         lambda f, unit, c: objects.append(unit.path.decode('cp932')) or chmlib.CHM_ENUMERATOR_CONTINUE,
                         None)
    pages = {p: Page(read(p)) for p in objects if p.endswith(('.htm', '.hhc', '.hhk'))}
    errors = []
    table = subprocess.run([dump], check=True, stdout=subprocess.PIPE, text=True).stdout.split('\n')
    ids = {int(line.split()[1], 16) for line in table + extra if line.strip()}
    # #IVB: its size, then (help id, offset of the target's path in #STRINGS) pairs.
    ivb, strings = (help_file.RetrieveObject(help_file.ResolveObject(n)[1])[1] for n in (b'/#IVB', b'/#STRINGS'))
    pairs = struct.unpack_from('<%dI' % (struct.unpack_from('<I', ivb)[0] // 4), ivb, 4)
    targets = {pairs[i]: strings[pairs[i + 1]:strings.index(b'\0', pairs[i + 1])].decode('cp932')
               for i in range(0, len(pairs), 2)}
    header, popups = read('/cshelp.h') or '', read('/cshelp.txt') or ''
    symbols = {int(v, 16): s for _, s, v in (l.split() for l in header.splitlines() if l.startswith('#define'))}
    popup_text = {b.split('\n', 1)[0].strip(): b.split('\n', 1)[-1].strip() for b in popups.split('.topic ')[1:]}
    for helpid in sorted(ids):
        target = targets.get(helpid)
        if target not in pages:
            errors.append('help id 0x%X has no topic in the file (mapped to %r)' % (helpid, target))
        elif len(''.join(pages[target].text.split())) < 20:
            errors.append('help id 0x%X: topic %s has no text' % (helpid, target))
        if not popup_text.get(symbols.get(helpid)):
            errors.append('help id 0x%X has no text pop-up' % helpid)
    for name, page in pages.items():
        for link in page.links:
            path, _, anchor = link.partition('#')
            target = posixpath.normpath(posixpath.join(posixpath.dirname(name), path)) if path else name
            if ':' in path:
                continue  # an address outside the help file
            if target not in objects or anchor and anchor not in pages.get(target, Page('')).anchors:
                errors.append('%s: link %r leads nowhere' % (name, link))
    for kind, sitemap in (('contents', help_file.GetTopicsTree()), ('index', help_file.GetIndex())):
        if not sitemap or not Page(sitemap.decode('cp932')).links:
            errors.append('the %s do not open' % kind)
    print('\n'.join(errors) or 'help file: %d help ids mapped to topics with text and pop-ups, %d pages, '
          'links, contents and index all resolve' % (len(ids), len(pages)))
    return 1 if errors else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1], sys.argv[2], sys.argv[3:]))
