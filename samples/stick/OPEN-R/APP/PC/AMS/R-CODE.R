// R-CODE program for an ERS-210 running Pupalong
// The events between the //{ and //} lines can be changed with zolt.
// Everything else is read and written back untouched.

:START
  SET Power 1
  WAIT 1000
  SET AiboMode 1
  PLAY ACTION STAND
  WAIT

:MAIN
  //{ "Touch/Head sensor"
    PLAY ACTION SIT
    WAIT
    SET Eye_L1 1
    SET Eye_R1 1
    WAIT 1000 // Wait 1 second
  //}

  //{ "Touch/Back sensor" PRE
    IF Back_ON == 1 THEN //[PRE]
    PLAY ACTION+ WAG_DANCE // my little dance
    WAIT
  //}

  //{ "Touch/Chin sensor" PRE
    //[PRE]: IF Chin_ON == 1 THEN
  //}

  //{ "Touch/Paw pads"
  //}

  //{ "Sight/Pink ball"
    PLAY ACTION SEARCH_BALL
    WAIT
    PLAY ACTION KICK 30 1000 // Kick Left
    WAIT
    CALL RCR_TakeAPicture
  //}

  //{ "Sight/Lost ball"
    PLAY ACTION STOP_WALK
    // look around before giving up
    PLAY ACTION MOVE_HEAD 0 30
    WAIT 2000 // Wait 2 seconds
  //}

  //{ "Sound/Clap"
    PLAY ACTION ALONE_DANCE
    WAIT
    //++ CALL RCR_Howl // Howl like a wolf
  //}

  //{ "Sound/Name called"
    CALL RCR_SayDogsName
    PLAY ACTION TURN 180 // Turn Around
    WAIT
  //}

	//{ "Status/Battery low"
		SET Warn 1
		PLAY ACTION LIE
		WAIT
	//}

  //{ "Status/Picked up"
    // Wait until head pressed
    SET Head_ON 0
    WHILE Head_ON == 0
      WAIT 50 // kill time
    WEND

    PLAY ACTION+ HAPPY_SONG_NOWAIT
  //}

  //{ "Time/Every minute"
    PLAY ACTION+ YAWN // stretch a little
    WAIT
  //}

  //{ "Bedtime"
    PLAY ACTION LIE
    WAIT
    SET Eye_L1 0
    SET Eye_R1 0
  //}
  GO MAIN

// Subroutines offered by zolt's palette
//++ CALL Cheer // Cheer with the owner
//++CALL RCR_Bark
:Cheer
  PLAY ACTION+ CHEER
  WAIT
  RETURN
:RCR_Bark
  PLAY ACTION BARK
  WAIT
  RETURN
