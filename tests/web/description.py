"""What the page's tests take from the program instead of writing it out: the
one description of the windows (ui/windows.json), which the page is built
from, and the core's table of messages (model/messenger.h)."""

import json
import os
import re

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

with open(os.path.join(ROOT, 'ui', 'windows.json'), encoding='utf-8') as description:
    WINDOWS = json.load(description)


def _messages():
    """The table's entries, each written name = u"text";."""
    with open(os.path.join(ROOT, 'model', 'messenger.h'), encoding='utf-8') as header:
        table = header.read().split('namespace messages {', 1)[1].split('}', 1)[0]
    return dict(re.findall(r'std::u16string_view (\w+) = u"([^"\\]*)";', table))


MESSAGES = _messages()
