#!/usr/bin/env python3
"""Writes the hostile reply-line corpus (tests/data/reply-corpus/).

Each file is what the unit might send: reply lines ending in CR LF. The first
byte steers the driver (tests/online/replyfuzzdriver.h): bit 0 the large
project, bit 1 the upload's queries first, bit 2 the line lost after the
first (byte value) bytes, bit 3 the on-line windows instead of the link,
bit 4 normal mode instead of upload mode. A CR LF follows it, so it does not
disturb a line. test_online replays every
file through tests/online/replyfuzzdriver.h, as reply_fuzz does: nothing may
crash and the project must save and load afterwards. Crashing inputs found by
reply_fuzz are added beside these (named crash-*), minimised.
"""
import sys
from pathlib import Path

SMALL = b'\x02\r\n'  # small project, queries first
LARGE = b'\x01\r\n'  # large project
LOST = b'\x87\r\n'  # large project, queries first, the line lost after 135 bytes
WINDOWS = 0x08  # added to the first byte: the on-line windows take the lines
NORMAL = 0x10  # added to the first byte: the link is in normal mode

# One reply of each kind of object and window, with its usual value.
TEMPLATES = [
    '/VMX/ZONE{n}/OUTPUT 1', '/VMX/ZONE{n}/RELAY 1-4', '/VMX/ZONE{n}/PRIOCALL/TYPE 208',
    '/VMX/ZONE{n}/NAME Hall', '/VMX/ZONE{n}/GROUP 1', '/VMX/COLLCALL{n}/ZONES 1-3',
    '/VMX/COLLCALL{n}/RELAY 2', '/VMX/LANGRP{n}/ZONES 1', '/VMX/GROUP{n}/ZONES 1-2',
    '/CONS/ADR{n}/NAME Desk', '/CONS/ADR{n}/PASSW 846,3971', '/CONS/ADR{n}/ON_PRIO 40',
    '/CONS/ADR{n}/PTTPRIO INT', '/CONS/ADR{n}/EXT AUX', '/CONS/ADR{n}/GROUP{n} 1-12',
    '/CONS/ADR{n}/KEY{n} SEL,{n}', '/CONS/ADR{n}/KEY{n} MAC,{n},{n}', '/CONS/ADR{n}/KEY{n} DISABLED',
    '/TRIGGER/TRG{n}/COND {n}', '/TRIGGER/TRG{n}/TIME 1.5', '/TRIGGER/TRG{n}/ON {n}',
    '/LOGICOUT/OUT{n}/OUTNR {n}', '/LOGICOUT/OUT{n}/OUTPUT ON', '/CONDITION/COND{n}/TYPE INPUT',
    '/CONDITION/COND{n}/LEVEL ON', '/CONDITION/COMBINE{n}/COND {n},{n}', '/CONDITION/BUSY{n}/ZONES 1-2',
    '/CONDITION/ANALOG{n}/LEVEL -10.0', '/READYINP/INP{n}/INPNR {n}', '/READYINP/TEXT{n} Text',
    '/READYINP/MASKTIME 10', '/VIRTCTRL/ENTRY{n}/LINK {n}', '/VIRTCTRL/ENTRY{n}/DEST/AMPCHAN {n}',
    '/CALENDAR/EVENT{n}/DATE 01.03.1980', '/CALENDAR/EVENT{n}/TIME 12:00:00',
    '/CALENDAR/HOLIDAY{n}/DAYS {n}', '/CALENDAR/DAYPROG{n}/EVENT{n} {n}', '/CALENDAR/WEEK/DAY{n} {n}',
    '/AMP/ADR{n}/CHAN{n}/VOL -10', '/AMP/ADR{n}/NAME Amp', '/AMP/TABLE/ENTRY{n} {n}',
    '/MONI/TABLE{n}/SEL ZONE', '/MONI/TABLE{n}/IDX {n}', '/MONI/TABLE{n}/AMPCHAN 1F',
    '/MONI/RELAY{n} {n}', '/SPAREAMP/ENTRY{n}/INDEX {n}', '/SPAREAMP/ENTRY{n}/WATCH{n} {n}',
    '/MACRO/ENTRY{n}/TYPE ALARM', '/MACRO/ENTRY{n}/PARAM{n} {n}', '/SIGNAL/ALARM{n}/PRIO 9',
    '/SIGNAL/MESSAGE{n}/NR {n}', '/SIGNAL/CHIME{n}/SOURCE {n}', '/SIGNAL/TEXT{n}/MACRO {n}',
    '/EVENT/LOG/MASK/ON ALL', '/EVENT/LOG/READ 1 2 3 4 VMX# text', '/EVENT/LOG/COUNT {n}',
    '/FAULT/SOURCES ALL', '/FAULT/DISPLAY {n}', '/FAULT/ACTIVE ALL', '/FAULT/STATE ON',
    '/POWER/BATT_PRIO 70', '/POWER/MAINS_COND {n}', '/PILOT/GEN ON', '/PILOT/FREQ 19000.0',
    '/PILOT/VOL{n} -10.0', '/RECORDER/INFO {n}', '/RECORDER/TIME {n}', '/REC/BANK{n}/TIME {n}',
    '/AUDIO/IN{n}/VOL -3.0', '/AUDIO/CHIME_VOL -9.0', '/AUDIO/BACK_ATT -127',
    '/FUSE/SLOT{n}/A/VALUE 3', '/FUSE/SLOT{n}/A/BLOWN YES', '/FUSE/AMP485/VALUE 3',
    '/CLOCK/MAIN/TIME 12:00:00', '/CLOCK/MAIN/DATE Mo 01.03.2021', '/CLOCK/DCF/TIME 12:00:00',
    '/CLOCK/DCF/DATE Mo 01.03.2021', '/CLOCK/SLAVE/RUN ON', '/SERVICE/ONTIME 12:00',
    '/SERVICE/ONCOUNT {n}', '/SERVICE/VER V1.0', '/SERVICE/SPI{n}/IN {n}', '/SERVICE/ZONETEST/MACRO {n}',
    '/KCM/ADR{n}/NAME Card', '/KCM/ADR{n}/220/VOL -10', '/KCM/DATA/ENTRY{n} {n}',
]

NUMBERS = ['0', '-1', '4294967297', '2147483648', '-2147483649', '99999999999999999999', '251', '65536']
VALUES = ['', ' ', '?', '-', ',', ',,,,', '1-', '-5', '5-1', '0-4294967295', '1-100000', 'ALL,NONE',
          '99999999999999999999', '-2147483649', 'nan', 'inf', '-inf', '1e309', '1,5', '0x10', 'FFFFFFFFFF',
          '25:61:61', '::', '99.99.9999', '31.02.2020', '00:00:00:00', 'Mo', 'SEL,', 'MAC,-5,-5,-5',
          'SEL,1,2,3,4,5,6,7,8,9,10', '\t1', '1\t2', 'x' * 300]


def lines(texts):
    return ''.join(t + '\r\n' for t in texts).encode('latin-1')


def fill(template, n):
    return template.replace('{n}', n)


def main(out):
    out.mkdir(parents=True, exist_ok=True)
    files = {}
    # Indexes outside every list, with the usual values.
    files['numbers-outside'] = SMALL + lines(fill(t, n) for n in NUMBERS for t in TEMPLATES)
    # The usual objects with every hostile value.
    for name, size in (('values-small', SMALL), ('values-large', LARGE)):
        files[name] = size + lines(t.split(' ')[0].replace('{n}', '1') + ' ' + v for v in VALUES for t in TEMPLATES)
    # Paths cut at every "/" and blank.
    cut = []
    for t in TEMPLATES:
        text = fill(t, '1')
        cut += [text[:i] for i in range(1, len(text)) if text[i] in '/ ']
    files['cut-paths'] = LARGE + lines(cut)
    # Bytes no text has: NUL, 0xFF, lone LF line ends, CR CR LF, a line far
    # beyond the line limit, and nothing but slashes and blanks.
    raw = SMALL + b'\x00/VMX/ZONE1/NAME \x00\xff\r\n/CONS/ADR1/NAME \xff\xfe\r\r\n/AUDIO/IN1/VOL -3.0\n/FUSE/SLOT1/A/VALUE 3\n'
    raw += b'/CONS/ADR1/NAME ' + b'N' * 5000 + b'\r\n' + b'/' * 3000 + b'\r\n/\r\n/ \r\n//\r\n/ /\r\n' + b' ' * 40 + b'\r\n'
    raw += b'/CONS/ADR1/KEY1' + b' ' * 20 + b'SEL,1\r\n/VMX/ZONE1/NAME' + b'\r\n' * 3
    files['control-bytes'] = raw
    # Every line twice, echoes in between, a value changing back and forth.
    twice = []
    for t in TEMPLATES:
        text = fill(t, '2')
        twice += [text, text.split(' ')[0] + ' ?', text, text.split(' ')[0] + ' 0']
    files['repeats-and-echoes'] = LARGE + lines(twice)
    files['lost-mid-upload'] = LOST + lines(twice)
    # The same lines for the on-line windows, and in normal mode.
    for name in ('numbers-outside', 'values-small', 'values-large', 'control-bytes', 'repeats-and-echoes'):
        data = files[name]
        files['windows-' + name] = bytes([data[0] | WINDOWS]) + data[1:]
        files['normal-' + name] = bytes([data[0] | NORMAL]) + data[1:]
    for name, data in files.items():
        (out / name).write_bytes(data)
    return 0


if __name__ == '__main__':
    sys.exit(main(Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parents[2] / 'tests/data/reply-corpus'))
