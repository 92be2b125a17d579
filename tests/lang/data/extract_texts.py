#!/usr/bin/env python3
"""Writes texts.tsv from the text table of a markdown document.

Usage: extract_texts.py DOCUMENT.md > texts.tsv

Takes every table row of the form | slot | "English" | "Dutch" | "German" |
"French" | and writes slot and the four texts, tab-separated, in UTF-8,
character for character. Slot 19 holds only the beginning of its texts (the
maker's web domain follows).
"""
import re
import sys

ROW = re.compile(r'^\|\s*(\d+)\s*\|(.*)\|\s*$')
QUOTED = re.compile(r'"([^"]*)"')


def main(path):
    rows = []
    in_table = False
    with open(path, encoding='utf-8') as document:
        for line in document:
            line = line.rstrip('\n')
            if line.startswith('| Slot | English'):
                in_table = True
                continue
            if not in_table:
                continue
            match = ROW.match(line)
            if not match:
                if rows and not line.startswith('|'):
                    break
                continue
            texts = QUOTED.findall(match.group(2))
            if len(texts) != 4:
                sys.exit(f'slot {match.group(1)}: {len(texts)} texts')
            for text in texts:
                if '\t' in text:
                    sys.exit(f'slot {match.group(1)}: tab in text')
            rows.append((int(match.group(1)), texts))
    if len(rows) != 127:
        sys.exit(f'{len(rows)} slots, expected 127')
    out = sys.stdout
    out.write('# slot\tEnglish\tDutch\tGerman\tFrench\n')
    for slot, texts in rows:
        out.write('\t'.join([str(slot)] + texts) + '\n')


if __name__ == '__main__':
    main(sys.argv[1])
