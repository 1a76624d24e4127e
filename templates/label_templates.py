"""The templates of envelopes and labels: the address book's (print source
12, "Adresář") on C6 and DL envelopes and on sheets of 3 x 8 labels, and the
cage and puppy labels over the record sheets (source 0).

A sheet of labels is A4 without margins in three print columns: a label is
one body section, 275 hundredths of an inch wide (the page's third, 69.85
mm) and 146 high (37.08 mm), so eight rows take 1168 of the page's 1169.
An envelope is one page per entry: its body is as high as the page.
"""

from pts_writer import (A4_WIDTH, BODY, BOLD, C6_HEIGHT, C6_WIDTH, DL_HEIGHT, DL_WIDTH,
                        GREY, MULTILINE, Template)

LABEL_COLUMNS, LABEL_ROWS = 3, 8
LABEL_WIDTH = A4_WIDTH // LABEL_COLUMNS
LABEL_HEIGHT = 146
LABEL_PADDING = 16


def address_lines(t, x, y, w, size, line):
    """The recipient: name (on two lines when it is long), contact person
    (when it is another), street, post code with the town, country; one line
    of `line` each."""
    name = 2 * line - 2
    t.field("T", "Nazev", x, y, w, name, size=size + 1, style=BOLD, align=MULTILINE)
    y += name
    t.field("T", "Kontakt_osoba", x, y, w, line, size=size,
            condition="#Kontakt_osoba <> #Nazev")
    t.field("T", "Ulice_1", x, y + line, w, line, size=size)
    post_code = 5 * size + 8
    t.field("T", "Psc_1", x, y + 2 * line, post_code, line, size=size)
    t.field("T", "Obec_1", x + post_code + 4, y + 2 * line, w - post_code - 4, line, size=size)
    t.field("T", "Stat", x, y + 3 * line, w, line, size=size)


def envelope(description, paper, file_name, recipient_x, recipient_y, save):
    t = Template(description, margins=(40, 40, 40, 40), paper=paper)
    t.section(BODY, t.height)
    t.text("T", 0, 0, 200, 14, "Odesílatel:", size=7, colour=GREY)
    t.parameter("T", 0, 0, 14, 300, 18, size=9, style=BOLD)
    t.text("T", recipient_x, recipient_y - 18, 200, 14, "Adresát:", size=7, colour=GREY)
    address_lines(t, recipient_x, recipient_y, t.width - recipient_x, 11, 22)
    save(t, file_name)


def obalka_c6(save):
    envelope("Obálka C6 (162 x 114 mm)", (C6_WIDTH, C6_HEIGHT), "AdresarObalkaC6.pts", 250,
             180, save)


def obalka_dl(save):
    envelope("Obálka DL (220 x 110 mm)", (DL_WIDTH, DL_HEIGHT), "AdresarObalkaDL.pts", 400,
             170, save)


def label_sheet(description):
    t = Template(description, margins=(0, 0, 0, 0), columns=LABEL_COLUMNS, column_gap=0)
    t.section(BODY, LABEL_HEIGHT)
    return t


def adresar_stitky(save):
    t = label_sheet("Štítky 3 x 8 na A4 (70 x 37 mm)")
    address_lines(t, LABEL_PADDING, 14, LABEL_WIDTH - 2 * LABEL_PADDING, 9, 19)
    save(t, "AdresarStitky00.pts")


def evid_stitky(save):
    """A cage or puppy card: registered name, call name, birth date, sex, chip."""
    t = label_sheet("Štítky na kotce a štěňata (3 x 8)")
    x, w = LABEL_PADDING, LABEL_WIDTH - 2 * LABEL_PADDING
    t.field("T", "Jmeno_registr", x, 12, w, 34, size=10, style=BOLD, align=MULTILINE)
    rows = [("Volací jméno:", "Jmeno_call"), ("Narozen(a):", "Datum_nar"),
            ("Pohlaví:", "Pohlavi"), ("Čip:", "Cip")]
    for i, (caption, field) in enumerate(rows):
        y = 50 + 21 * i
        size = 11 if i == 0 else 9
        # The caption stands on the baseline of its value.
        t.text("T", x, y + size - 6, 80, 16, caption, size=8, colour=GREY)
        t.field("T", field, x + 82, y, w - 82, 19, size=size, style=BOLD if i == 0 else 0)
    save(t, "EvidStitky00.pts")


LABELS = [obalka_c6, obalka_dl, adresar_stitky, evid_stitky]
