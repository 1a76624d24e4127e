"""Writes report templates (.pts): settings records, user functions and the
elements of the sections, in the order the template designer saves them.

Positions and sizes are hundredths of an inch from the top-left corner of the
section. Files are Windows-1250 text with CR LF line ends.
"""

FONT = "Arial"
CHARSET = 238  # East European: the Czech letters

LEFT, RIGHT, CENTRE = 0, 1, 2
MULTILINE = 0x10
GROW = 0x40 | MULTILINE  # variable height: the text grows downwards

BOLD, ITALIC = 1, 2

BLACK, GREY, SILVER, WHITE = 0, 7, 8, 15
LIGHT_GREY = 235 + 256 * 235 + 65536 * 235

# Frame line bits of text elements and line elements.
EDGE_LEFT, EDGE_TOP, EDGE_RIGHT, EDGE_BOTTOM = 1, 2, 4, 8
ALL_EDGES = 15

# Picture fields: stretch into the box keeping the aspect ratio (no frame
# lines: the box is wider or higher than most photos).
PICTURE_FIT = 0x10 | 0x20

# Section numbers of the I,3 records.
REPORT_HEADER, PAGE_HEADER, BODY, REPORT_FOOTER, PAGE_FOOTER = range(5)
SECTION_CODES = "ZHTKP"

# Variables of kind 5 elements.
PRINT_DATE, PRINT_TIME, ROW_NUMBER, PAGE_NUMBER, PAGE_COUNT = range(5)

A4_WIDTH, A4_HEIGHT = 826, 1169
# Envelopes: C6 (162 x 114 mm) and DL (220 x 110 mm). The paper list's C6
# entry is 433 high, which is 110 mm; the envelope itself is 449.
C6_WIDTH, C6_HEIGHT = 637, 449
DL_WIDTH, DL_HEIGHT = 866, 433


def line_height(size):
    """The height of one line of Arial at `size` points, with a unit to spare."""
    return -(-size * 115 // 72) + 1


def quoted(text):
    return '"' + text.replace('"', '""') + '"'


class Template:
    def __init__(self, description, landscape=False, margins=(50, 50, 70, 70),
                 columns=1, column_gap=0, paper=(A4_WIDTH, A4_HEIGHT)):
        self.description = description
        self.landscape = landscape
        self.paper = paper
        self.margins = margins
        self.columns = columns
        self.column_gap = column_gap
        self.sections = {n: (False, 0, 0) for n in range(5)}
        self.groups = []
        self.functions = []
        self.elements = {}
        self.order = ""

    # ---- layout ---------------------------------------------------------

    @property
    def width(self):
        paper = self.paper[1] if self.landscape else self.paper[0]
        return paper - self.margins[0] - self.margins[1]

    @property
    def height(self):
        paper = self.paper[0] if self.landscape else self.paper[1]
        return paper - self.margins[2] - self.margins[3]

    def section(self, number, height, flags=0):
        self.sections[number] = (True, height, flags)

    def group(self, expression, header_height, footer_height, new_page=False):
        """Adds a group; returns the codes of its header and footer sections."""
        index = len(self.groups)
        self.groups.append((expression, header_height, footer_height, new_page))
        return "S%d" % index, "U%d" % index

    def source_order(self, order):
        """The ORDER BY clause the source's rows must come in (record I,8):
        a list grouped by a column is ordered by it."""
        self.order = order

    def function(self, name, description, expression, aggregation=0, reset=0,
                 text=False, initial="0", digits=0, number_format=0):
        self.functions.append((name, description, 1 if text else 0, initial, reset,
                               expression, aggregation, 15, digits, number_format))

    # ---- elements ---------------------------------------------------------

    def _add(self, code, record, background=False):
        elements = self.elements.setdefault(code, ([], []))
        # Shapes that others stand on are placed first, so they are written
        # last: the engine places a section's elements from the last one.
        elements[1 if background else 0].append(record)

    def _text_record(self, code, kind, source, x, y, w, h, text, size, style, align,
                     colour, frame, condition):
        # A box lower than one line of its font prints nothing at all.
        h = max(h, line_height(size))
        fields = [code, kind, source, x, y, w, h, FONT, size, colour, style, align, frame,
                  CHARSET, quoted(text), 0, 0, 0, quoted(condition), 0, '""']
        self._add(code, ",".join(str(f) for f in fields))

    def text(self, code, x, y, w, h, text, size=9, style=0, align=LEFT, colour=BLACK,
             frame=0, condition=""):
        self._text_record(code, 1, 0, x, y, w, h, text, size, style, align, colour, frame,
                          condition)

    def field(self, code, name, x, y, w, h, size=9, style=0, align=LEFT, colour=BLACK,
              frame=0, condition=""):
        self._text_record(code, 2, name, x, y, w, h, name, size, style, align, colour, frame,
                          condition)

    def parameter(self, code, index, x, y, w, h, size=9, style=0, align=LEFT):
        self._text_record(code, 4, index, x, y, w, h, "", size, style, align, BLACK, 0, "")

    def variable(self, code, number, pattern, x, y, w, h, size=8, style=0, align=LEFT):
        self._text_record(code, 5, number, x, y, w, h, pattern, size, style, align, BLACK, 0,
                          "")

    def function_value(self, code, name, x, y, w, h, size=9, style=0, align=LEFT,
                       condition=""):
        self._text_record(code, 6, name, x, y, w, h, name, size, style, align, BLACK, 0,
                          condition)

    def yes_no(self, code, name, x, y, w, h, size=9, style=0, align=LEFT):
        """A boolean (or 1/0) field printed as "Ano" or "Ne"; empty reads as "Ne"."""
        self.text(code, x, y, w, h, "Ano", size, style, align, condition="#" + name)
        self.text(code, x, y, w, h, "Ne", size, style, align, condition="NOT #" + name)

    def _graphic(self, code, kind, x, y, w, h, pen, colour, flags, fill, fill_style,
                 background):
        # Frames and ellipses carry their kind as their source, as the reader sets it.
        source = kind if kind in (8, 9, 10) else 0
        fields = [code, kind, source, x, y, w, h, "", pen, colour, 0, flags, fill, fill_style,
                  "", "", "", "", '""', 0, '""']
        self._add(code, ",".join(str(f) for f in fields), background)

    def hline(self, code, x, y, w, pen=1, colour=BLACK):
        self._graphic(code, 7, x, y, w, 0, pen, colour, EDGE_TOP, WHITE, 0, False)

    def vline(self, code, x, y, h, pen=1, colour=BLACK):
        self._graphic(code, 7, x, y, 0, h, pen, colour, EDGE_LEFT, WHITE, 0, False)

    def frame(self, code, x, y, w, h, pen=1, colour=BLACK, rounded=False):
        """An unfilled rectangle."""
        self._graphic(code, 9 if rounded else 8, x, y, w, h, pen, colour, 0, WHITE, 1, False)

    def band(self, code, x, y, w, h, fill=LIGHT_GREY):
        """A filled rectangle without an outline, under the elements it carries."""
        self._graphic(code, 8, x, y, w, h, 1, fill, 0, fill, 0, True)

    def picture_field(self, code, name, x, y, w, h):
        fields = [code, 2, name, x, y, w, h, FONT, 9, BLACK, 0, 0, PICTURE_FIT,
                  CHARSET, quoted(name), 0, 0, 0, '""', 0, '""']
        self._add(code, ",".join(str(f) for f in fields))

    # ---- writing ---------------------------------------------------------

    def lines(self):
        left, right, top, bottom = self.margins
        out = [
            "I,0," + quoted(self.description),
            "I,1,10,52,6",
            "I,2,%d,%d,%d,%d,%d,%d,%d,%d,%d" % (1 if self.landscape else 0, self.paper[0],
                                                self.paper[1],
                                                left, right, top, bottom, self.columns,
                                                self.column_gap),
        ]
        for number in range(5):
            visible, height, flags = self.sections[number]
            out.append("I,3,%d,%d,%d,%d" % (number, int(visible), height, flags))
        for index, (expression, header, footer, new_page) in enumerate(self.groups):
            out.append("I,4,%d,%s,%d,%d,%d,%d,%d" % (index, quoted(expression), int(header > 0),
                                                     header, int(footer > 0), footer,
                                                     int(new_page)))
        out += ["I,5,1", "I,6,0,8,8,0,1,1,0", "I,7,0,0,0,0,0,0,0,"]
        if self.order:
            out.append("I,8," + quoted(self.order))
        for number, f in enumerate(self.functions):
            name, description, result, initial, reset, expression, aggregation, precision, \
                digits, number_format = f
            out.append("F,%d,%s,%s,%d,%s,%d,%s,%d,%d,%d,%d" % (
                number, name, quoted(description), result, quoted(initial), reset,
                quoted(expression), aggregation, precision, digits, number_format))
        codes = list(SECTION_CODES)
        for index in range(len(self.groups)):
            codes += ["S%d" % index, "U%d" % index]
        for code in codes:
            front, back = self.elements.get(code, ([], []))
            out += front + back
        return out

    def write(self, path):
        data = "".join(line + "\r\n" for line in self.lines())
        with open(path, "wb") as f:
            f.write(data.encode("cp1250"))
