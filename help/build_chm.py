#!/usr/bin/env python3
"""Builds the compiled help file remotepanel.chm from the topics in help/content.

The topics are UTF-8 HTML. A topic that answers a help context id names it in
<meta name="rp-helpid" content="0x...">; its <p class="summary"> is the text pop-up of that id;
<meta name="keywords"> lists its entries in the index; a page's <ul class="contents"> lists the
topics below it in the contents tree, which starts at index.htm. Everything the help compiler and
the viewer read is written in the help file's code page (932, Japanese), into a staging folder:
the topics, the contents (.hhc), the index (.hhk), the text pop-ups (cshelp.txt) with the header
that names their ids (cshelp.h), and the project (.hhp) with its [MAP] and [ALIAS] sections.

The compiler is Free Pascal's chmcmd. It stores each [ALIAS] target as the absolute path of the
topic on the build machine (the project folder prefixed), which no viewer finds inside the file.
It is therefore run with the staging folder as its root directory (a private mount namespace in
which /usr is bound in, so chmcmd still finds its libraries): the project folder is then "/", and
every target is the topic's own path inside the help file ("/index.htm").

    build_chm.py <content folder> <output .chm> <staging folder>
"""
import html
import html.parser
import os
import re
import shutil
import subprocess
import sys

TITLE = 'Kestrovane リモートパネル ヘルプ'
PROJECT = 'remotepanel'
POPUPS, POPUP_HEADER = 'cshelp.txt', 'cshelp.h'
SITEMAP_HEAD = ('<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN">\n<HTML>\n<HEAD>\n'
                '<meta http-equiv="Content-Type" content="text/html; charset=Shift_JIS">\n'
                '</HEAD><BODY>\n')


class Topic(html.parser.HTMLParser):
    """What the build needs from one topic: title, help id, keywords, summary, contents list."""

    def __init__(self, name, text):
        super().__init__()
        self.name, self.title, self.helpid, self.keywords = name, '', None, []
        self.summary, self.contents = '', []
        self._field = None  # 'title' or 'summary' while inside one
        self._in_contents = False
        self.feed(text)
        self.summary = ' '.join(self.summary.split())

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == 'meta' and a.get('name') == 'rp-helpid':
            self.helpid = int(a['content'], 16)
        elif tag == 'meta' and a.get('name') == 'keywords':
            self.keywords = [k.strip() for k in a['content'].split(';') if k.strip()]
        elif tag == 'title' or (tag == 'p' and a.get('class') == 'summary'):
            self._field = 'title' if tag == 'title' else 'summary'
        elif tag == 'ul' and a.get('class') == 'contents':
            self._in_contents = True
        elif tag == 'a' and self._in_contents:
            self.contents.append(a['href'])

    def handle_endtag(self, tag):
        if tag in ('title', 'p'):
            self._field = None
        elif tag == 'ul':
            self._in_contents = False

    def handle_data(self, data):
        if self._field:
            setattr(self, self._field, getattr(self, self._field) + data)


def fail(message):
    sys.exit('build_chm: ' + message)


def cp932(text, where):
    try:
        return text.encode('cp932')
    except UnicodeEncodeError as e:
        fail('%s: %r has no character in code page 932' % (where, e.object[e.start:e.end]))


def load_topics(folder):
    topics = {}
    for name in sorted(os.listdir(folder)):
        if name.endswith('.htm'):
            with open(os.path.join(folder, name), encoding='utf-8') as f:
                text = f.read()
            if 'charset=UTF-8' not in text:
                fail(name + ': the topic must declare charset=UTF-8')
            topics[name] = (Topic(name, text), text)
    ids = {}
    for name, (topic, _) in topics.items():
        if topic.helpid is not None and ids.setdefault(topic.helpid, name) != name:
            fail('help id 0x%X is claimed by %s and %s' % (topic.helpid, ids[topic.helpid], name))
        for child in topic.contents:
            if child not in topics:
                fail('%s lists %s in its contents, which is no topic' % (name, child))
    return {name: topic for name, (topic, _) in topics.items()}, \
        {name: text for name, (_, text) in topics.items()}


def sitemap_entry(names_and_locals, indent):
    params = ''.join('<param name="%s" value="%s">\n' % (kind, html.escape(value))
                     for kind, value in names_and_locals)
    return '%s<LI> <OBJECT type="text/sitemap">\n%s</OBJECT>\n' % (indent, params)


def contents_file(topics):
    """The contents tree: the start topic, then what it lists, each page with what it lists."""
    def branch(name, path, depth):
        topic = topics[name]
        out = sitemap_entry([('Name', topic.title), ('Local', name)], '  ' * depth)
        children = [c for c in topic.contents if c not in path]
        if children:
            out += '  ' * depth + '<UL>\n'
            out += ''.join(branch(c, path + [c], depth + 1) for c in children)
            out += '  ' * depth + '</UL>\n'
        return out
    start = topics['index.htm']
    body = sitemap_entry([('Name', start.title), ('Local', 'index.htm')], '')
    body += ''.join(branch(c, ['index.htm', c], 0) for c in start.contents)
    return (SITEMAP_HEAD + '<OBJECT type="text/site properties">\n'
            '<param name="Window Styles" value="0x800025">\n</OBJECT>\n<UL>\n'
            + body + '</UL>\n</BODY></HTML>\n')


def index_file(topics):
    """The index: every keyword of every topic, with the topics that name it."""
    entries = {}
    for name, topic in topics.items():
        for keyword in topic.keywords:
            entries.setdefault(keyword, []).append(name)
    body = ''
    for keyword in sorted(entries):
        names = entries[keyword]
        params = [('Name', keyword)]
        for name in names:
            params += ([('Name', topics[name].title)] if len(names) > 1 else []) + [('Local', name)]
        body += sitemap_entry(params, '')
    return SITEMAP_HEAD + '<UL>\n' + body + '</UL>\n</BODY></HTML>\n'


def symbol(name):
    return 'IDH_' + re.sub(r'[^A-Z0-9]', '_', name[:-4].upper())


def project_file(topics, files):
    mapped = sorted((t for t in topics.values() if t.helpid is not None), key=lambda t: t.helpid)
    defines = ''.join('#define %s 0x%X\n' % (symbol(t.name), t.helpid) for t in mapped)
    aliases = ''.join('%s=%s\n' % (symbol(t.name), t.name) for t in mapped)
    popups = ''.join('.topic %s\n%s\n\n' % (symbol(t.name), t.summary) for t in mapped)
    window = ('main="%s","%s.hhc","%s.hhk","index.htm","index.htm",,,,,0x2120,220,0x304E,'
              '[40,40,820,620],,,,,,,0' % (TITLE, PROJECT, PROJECT))
    hhp = ('[OPTIONS]\nCompatibility=1.1 or later\nCompiled file=%s.chm\n'
           'Contents file=%s.hhc\nIndex file=%s.hhk\nDefault topic=index.htm\n'
           'Default Window=main\nDisplay compile progress=No\nBinary Index=Yes\n'
           'Full-text search=No\nLanguage=0x411 Japanese\nTitle=%s\n\n'
           '[WINDOWS]\n%s\n\n[FILES]\n%s\n[ALIAS]\n%s\n[MAP]\n%s\n[TEXT POPUPS]\n%s\n%s\n'
           % (PROJECT, PROJECT, PROJECT, TITLE, window, ''.join(f + '\n' for f in files),
              aliases, defines, POPUP_HEADER, POPUPS))
    return hhp, popups, defines


def stage(folder, staging):
    topics, texts = load_topics(folder)
    for name in os.listdir(staging) if os.path.isdir(staging) else ():
        if os.path.ismount(os.path.join(staging, name)):
            fail(os.path.join(staging, name) + ' is still mounted')
    shutil.rmtree(staging, ignore_errors=True)
    os.makedirs(staging)
    others = sorted(n for n in os.listdir(folder) if not n.endswith('.htm'))
    files = sorted(topics) + others + [POPUP_HEADER, POPUPS]
    hhp, popups, defines = project_file(topics, files)
    outputs = {name: text.replace('charset=UTF-8', 'charset=Shift_JIS') for name, text in texts.items()}
    outputs.update({PROJECT + '.hhc': contents_file(topics), PROJECT + '.hhk': index_file(topics),
                    POPUPS: popups, POPUP_HEADER: defines, PROJECT + '.hhp': hhp})
    for name, text in outputs.items():
        with open(os.path.join(staging, name), 'wb') as f:
            f.write(cp932(text.replace('\n', '\r\n'), name))
    for name in others:
        shutil.copy(os.path.join(folder, name), staging)


# Runs chmcmd with the staging folder as "/", /usr (and /lib, /lib64 where they are folders of
# their own) bound in; the mounts live only in the private namespace of this one command.
COMPILE = '''set -e
for d in usr lib lib64; do
  if [ -L "/$d" ]; then ln -s "$(readlink "/$d")" "$1/$d"
  elif [ -d "/$d" ]; then mkdir "$1/$d"; mount --bind "/$d" "$1/$d"; fi
done
exec chroot "$1" "$2" --no-html-scan "/$3.hhp"
'''


def compile_chm(staging, output):
    chmcmd = shutil.which('chmcmd')
    if not chmcmd:
        fail('chmcmd (package fp-utils) is not installed: run tools/setup.sh')
    chmcmd = os.path.realpath(chmcmd)
    if not chmcmd.startswith('/usr/'):
        fail(chmcmd + ': chmcmd must live under /usr')
    namespace = ['unshare', '--mount'] + ([] if os.geteuid() == 0 else ['--map-root-user'])
    run = subprocess.run(namespace + ['sh', '-c', COMPILE, 'sh', staging, chmcmd, PROJECT],
                         stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    built = os.path.join(staging, PROJECT + '.chm')
    if run.returncode != 0 or not os.path.isfile(built) or 'corrupt' in run.stdout:
        fail('chmcmd failed (exit %d):\n%s' % (run.returncode, run.stdout))
    shutil.move(built, output)


def main():
    if len(sys.argv) != 4:
        fail('usage: build_chm.py <content folder> <output .chm> <staging folder>')
    folder, output, staging = (os.path.abspath(a) for a in sys.argv[1:])
    stage(folder, staging)
    compile_chm(staging, output)


if __name__ == '__main__':
    main()
